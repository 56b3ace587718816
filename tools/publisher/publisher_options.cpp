#include "tools/publisher/publisher_options.h"

#include <charconv>

#include "camera/channel/frame_header.h"
#include "common/text_utf.h"

namespace vcam::publisher {
namespace {

bool to_number(const std::u16string& text, std::uint64_t& out) {
  const std::string narrow = utf16_to_utf8(text);
  if (narrow.empty()) return false;
  const auto r = std::from_chars(narrow.data(), narrow.data() + narrow.size(), out);
  return r.ec == std::errc() && r.ptr == narrow.data() + narrow.size();
}

bool to_size(const std::u16string& text, std::int32_t& w, std::int32_t& h) {
  const std::size_t x = text.find_first_of(u"xX");
  std::uint64_t a = 0, b = 0;
  if (x == std::u16string::npos || !to_number(text.substr(0, x), a) || !to_number(text.substr(x + 1), b)) return false;
  if (a == 0 || b == 0 || a > 480000 || b > 480000) return false;
  w = static_cast<std::int32_t>(a);
  h = static_cast<std::int32_t>(b);
  return true;
}

}  // namespace

std::string publisher_usage() {
  return "usage: vcam_publisher [options]\n"
         "  --size WxH                picture size, W x H x 4 at most 1,920,000 bytes (800x600)\n"
         "  --fps N                   pictures per second, 1 to 120 (15)\n"
         "  --bottom-up               store the bottom row first (negative height)\n"
         "  --first-number N          number drawn on the first picture (0)\n"
         "  --freeze-after-frames N   keep the stamp after N pictures, as a hung publisher\n"
         "  --freeze-after-ms T       the same after T milliseconds\n"
         "  --withdraw-after-frames N set the width to 0 after N pictures\n"
         "  --withdraw-after-ms T     the same after T milliseconds\n"
         "  --duration-ms T           exit after T milliseconds (default: until Ctrl+C)\n"
         "  --names-suffix S          append S to the channel's object names (tests)\n"
         "  --quiet                   print only errors\n";
}

bool parse_publisher_options(const std::vector<std::u16string>& args, PublisherOptions& out, std::string& error) {
  PublisherOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::u16string& a = args[i];
    const bool has_value = i + 1 < args.size();
    const std::u16string value = has_value ? args[i + 1] : std::u16string();
    std::uint64_t n = 0;
    auto number = [&](std::optional<std::uint64_t>& field) {
      if (!has_value || !to_number(value, n)) return false;
      field = n;
      ++i;
      return true;
    };
    bool ok = true;
    if (a == u"--size") {
      ok = has_value && to_size(value, o.width, o.height) &&
           camera::published_picture_bytes(o.width, o.height) != 0;
      ++i;
    } else if (a == u"--fps") {
      ok = has_value && to_number(value, n) && n >= 1 && n <= 120;
      o.fps = static_cast<std::uint32_t>(n);
      ++i;
    } else if (a == u"--first-number") {
      ok = has_value && to_number(value, n) && n <= UINT32_MAX;
      o.first_number = static_cast<std::uint32_t>(n);
      ++i;
    } else if (a == u"--names-suffix") {
      ok = has_value;
      o.names_suffix = value;
      ++i;
    } else if (a == u"--freeze-after-frames") {
      ok = number(o.freeze_after_frames);
    } else if (a == u"--freeze-after-ms") {
      ok = number(o.freeze_after_ms);
    } else if (a == u"--withdraw-after-frames") {
      ok = number(o.withdraw_after_frames);
    } else if (a == u"--withdraw-after-ms") {
      ok = number(o.withdraw_after_ms);
    } else if (a == u"--duration-ms") {
      ok = number(o.duration_ms);
    } else if (a == u"--bottom-up") {
      o.bottom_up = true;
    } else if (a == u"--quiet") {
      o.quiet = true;
    } else if (a == u"--help" || a == u"-h" || a == u"/?") {
      o.help = true;
    } else {
      error = "unknown option: " + utf16_to_utf8(a);
      return false;
    }
    if (!ok) {
      error = "bad or missing value for " + utf16_to_utf8(a) + (has_value ? ": " + utf16_to_utf8(value) : "");
      return false;
    }
  }
  out = o;
  return true;
}

PublisherStep publisher_step(const PublisherOptions& o, std::uint64_t published, std::uint64_t elapsed_ms) {
  if (o.duration_ms && elapsed_ms >= *o.duration_ms) return PublisherStep::Stop;
  if ((o.withdraw_after_frames && published >= *o.withdraw_after_frames) ||
      (o.withdraw_after_ms && elapsed_ms >= *o.withdraw_after_ms))
    return PublisherStep::Withdraw;
  if ((o.freeze_after_frames && published >= *o.freeze_after_frames) ||
      (o.freeze_after_ms && elapsed_ms >= *o.freeze_after_ms))
    return PublisherStep::Hold;
  return PublisherStep::Publish;
}

}  // namespace vcam::publisher
