#include "launcher/assets/manifest_name.h"

#include <array>

namespace vcam::launcher {

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool equals_upper(std::string_view a, std::string_view upper_b) {
  if (a.size() != upper_b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (upper(a[i]) != upper_b[i]) return false;
  }
  return true;
}

// Windows opens a device for these names whatever the folder or extension.
bool is_device_name(std::string_view component) {
  std::string_view stem = component.substr(0, component.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (equals_upper(stem, device)) return true;
  }
  if (stem.size() == 4 && (equals_upper(stem.substr(0, 3), "COM") || equals_upper(stem.substr(0, 3), "LPT")) &&
      stem[3] >= '0' && stem[3] <= '9')
    return true;
  return false;
}

}  // namespace

bool is_safe_manifest_name(std::string_view name) {
  if (name.empty() || is_separator(name.front()) || is_separator(name.back())) return false;
  if (name.find("..") != std::string_view::npos) return false;
  for (char c : name) {
    if (c < 0x20 || c > 0x7E) return false;
    if (std::string_view(":*?\"<>|").find(c) != std::string_view::npos) return false;
  }
  std::size_t begin = 0;
  while (begin <= name.size()) {
    std::size_t end = begin;
    while (end < name.size() && !is_separator(name[end])) ++end;
    if (is_device_name(name.substr(begin, end - begin))) return false;
    begin = end + 1;
  }
  return true;
}

}  // namespace vcam::launcher
