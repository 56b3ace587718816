#include "tools/outside/counter/count_request.h"

#include "common/text_utf.h"

namespace vcam::counter {

bool is_count_event(std::string_view event) { return event == "crash" || event == "uninstall"; }

bool parse_count_arguments(const std::vector<std::u16string>& args, std::string& event, std::string& error) {
  if (args.size() != 1) {
    error = "expected one event, got " + std::to_string(args.size()) + " arguments";
    return false;
  }
  const std::string word = utf16_to_utf8(args[0]);
  if (!is_count_event(word)) {
    error = "unknown event \"" + word + "\" (crash or uninstall)";
    return false;
  }
  event = word;
  return true;
}

std::string count_url(std::string_view base, std::string_view event, std::int64_t unix_seconds) {
  std::string url(base);
  url += base.find('?') == std::string_view::npos ? '?' : '&';
  url += "event=";
  url += event;
  url += "&time=" + std::to_string(unix_seconds < 0 ? 0 : unix_seconds);
  return url;
}

std::uint32_t remaining_ms(std::uint64_t elapsed_ms) {
  return elapsed_ms >= kCountDeadlineMs ? 0 : static_cast<std::uint32_t>(kCountDeadlineMs - elapsed_ms);
}

}  // namespace vcam::counter
