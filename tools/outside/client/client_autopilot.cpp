#include "tools/outside/client/client_autopilot.h"

#include <charconv>

#include "common/text_utf.h"

namespace vcam::client {
namespace {

bool parse_count(std::string_view text, std::uint64_t& out) {
  if (text.empty()) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size() && out > 0;
}

}  // namespace

bool parse_client_autopilot(std::string_view text, ClientAutopilot& out, std::string& error) {
  ClientAutopilot result;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find_first_of(" \t;", pos);
    const std::string_view word = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    pos = end == std::string_view::npos ? text.size() : end + 1;
    if (word.empty()) continue;
    const std::size_t eq = word.find('=');
    const std::string_view key = word.substr(0, eq);
    const std::string_view value = eq == std::string_view::npos ? std::string_view() : word.substr(eq + 1);
    bool ok = eq != std::string_view::npos;
    if (!ok) {
    } else if (key == "close" || key == "restart") {
      std::uint64_t n = 0;
      ok = parse_count(value, n);
      (key == "close" ? result.close_after : result.restart_after) = n;
    } else if (key == "source") {
      ok = value == "card" || value == "screen";
      result.source = value == "screen" ? PictureSource::Screen : PictureSource::TestCard;
    } else if (key == "channel") {
      ok = !value.empty();
      result.channel_suffix = utf8_to_utf16(value);
    } else {
      ok = false;
    }
    if (!ok) {
      error = "bad autopilot word \"" + std::string(word) + "\"";
      return false;
    }
  }
  if (result.close_after && result.restart_after) {
    error = "close and restart exclude each other";
    return false;
  }
  out = std::move(result);
  return true;
}

}  // namespace vcam::client
