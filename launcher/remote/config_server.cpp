#include "launcher/remote/config_server.h"

#ifndef VCAM_CONFIG_BASE_URL
#error "VCAM_CONFIG_BASE_URL is set by the build (CMake cache variable of the same name)"
#endif

namespace vcam::launcher {
namespace {

bool starts_with(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// Characters a URL may carry as they are; anything else (controls, blanks,
// quotes, non-ASCII) would have to be escaped and is refused instead.
bool is_url_character(char c) {
  return c > ' ' && c < 0x7F && c != '"' && c != '<' && c != '>' && c != '\\' && c != '^' && c != '`' &&
         c != '{' && c != '|' && c != '}';
}

bool is_usable_base_url(std::string_view url) {
  std::string_view rest;
  if (starts_with(url, "https://")) {
    rest = url.substr(8);
  } else if (starts_with(url, "http://")) {
    rest = url.substr(7);
  } else {
    return false;
  }
  // A host before the path.
  if (rest.empty() || rest.front() == '/' || rest.front() == ':') return false;
  for (char c : url)
    if (!is_url_character(c)) return false;
  // A query or fragment would swallow the appended version.
  return url.find_first_of("?#") == std::string_view::npos;
}

}  // namespace

std::string_view built_in_configuration_base_url() { return VCAM_CONFIG_BASE_URL; }

std::string choose_configuration_base_url(const std::optional<std::string>& override_value,
                                          std::string_view built_in) {
  if (!override_value || !is_usable_base_url(*override_value)) return std::string(built_in);
  std::string url = *override_value;
  if (url.back() != '/') url += '/';
  return url;
}

}  // namespace vcam::launcher
