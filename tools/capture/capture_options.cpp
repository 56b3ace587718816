#include "tools/capture/capture_options.h"

#include <algorithm>
#include <charconv>

#include "common/text_utf.h"

namespace vcam::capture {
namespace {

constexpr std::int64_t kDefaultFrames = 30;
constexpr std::int64_t kMaxCount = 1'000'000'000;

std::optional<std::int64_t> parse_count(const std::u16string& text, std::int64_t min) {
  const std::string narrow = utf16_to_utf8(text);
  std::int64_t value = 0;
  const char* end = narrow.data() + narrow.size();
  const auto [ptr, ec] = std::from_chars(narrow.data(), end, value);
  if (narrow.empty() || ec != std::errc() || ptr != end || value < min || value > kMaxCount) return std::nullopt;
  return value;
}

// "1280x720"
bool parse_size(const std::u16string& text, std::int32_t* width, std::int32_t* height) {
  const size_t x = text.find_first_of(u"xX");
  if (x == std::u16string::npos) return false;
  const auto w = parse_count(text.substr(0, x), 1);
  const auto h = parse_count(text.substr(x + 1), 1);
  if (!w || !h || *w > 65535 || *h > 65535) return false;
  *width = static_cast<std::int32_t>(*w);
  *height = static_cast<std::int32_t>(*h);
  return true;
}

// Decimal seconds with up to three decimals: "2", "0.5", "1.25".
std::optional<std::int64_t> parse_seconds(const std::u16string& text) {
  const size_t dot = text.find(u'.');
  const auto whole = parse_count(text.substr(0, dot), 0);
  if (!whole || *whole > 86'400) return std::nullopt;
  std::int64_t ms = *whole * 1000;
  if (dot != std::u16string::npos) {
    const std::u16string fraction = text.substr(dot + 1);
    if (fraction.empty() || fraction.size() > 3) return std::nullopt;
    const auto digits = parse_count(fraction, 0);
    if (!digits) return std::nullopt;
    std::int64_t scaled = *digits;
    for (size_t i = fraction.size(); i < 3; ++i) scaled *= 10;
    ms += scaled;
  }
  if (ms == 0) return std::nullopt;
  return ms;
}

bool parse_index_list(const std::u16string& text, std::vector<std::int64_t>* indexes) {
  size_t begin = 0;
  for (;;) {
    const size_t comma = text.find(u',', begin);
    const auto index = parse_count(text.substr(begin, comma - begin), 0);
    if (!index) return false;
    indexes->push_back(*index);
    if (comma == std::u16string::npos) return true;
    begin = comma + 1;
  }
}

ParsedOptions fail(std::string error) { return ParsedOptions{std::nullopt, std::move(error)}; }

}  // namespace

bool CaptureOptions::wants_png(std::int64_t index) const {
  if (png_every > 0 && index % png_every == 0) return true;
  return std::find(png_frames.begin(), png_frames.end(), index) != png_frames.end();
}

ParsedOptions parse_capture_options(const std::vector<std::u16string>& args) {
  CaptureOptions o;
  bool have_device = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::u16string& arg = args[i];
    auto value = [&](const std::u16string** out) {
      if (i + 1 >= args.size()) return false;
      *out = &args[++i];
      return true;
    };
    const std::u16string* v = nullptr;
    const std::string name = utf16_to_utf8(arg);
    if (arg == u"--help") {
      o.help = true;
      return ParsedOptions{o, {}};
    } else if (arg == u"--list") {
      o.list_devices = true;
    } else if (arg == u"--caps") {
      o.list_capabilities = true;
    } else if (arg == u"--no-clock") {
      o.no_clock = true;
    } else if (arg == u"--device") {
      if (!value(&v) || v->empty()) return fail("--device needs a device name");
      o.device = *v;
      have_device = true;
    } else if (arg == u"--size") {
      std::int32_t w = 0, h = 0;
      if (!value(&v) || !parse_size(*v, &w, &h)) return fail("--size needs WIDTHxHEIGHT");
      o.width = w;
      o.height = h;
    } else if (arg == u"--frames") {
      std::optional<std::int64_t> n;
      if (!value(&v) || !(n = parse_count(*v, 1))) return fail("--frames needs a count of at least 1");
      o.frames = *n;
    } else if (arg == u"--seconds") {
      std::optional<std::int64_t> ms;
      if (!value(&v) || !(ms = parse_seconds(*v))) return fail("--seconds needs a duration such as 2 or 0.5");
      o.milliseconds = *ms;
    } else if (arg == u"--png") {
      if (!value(&v) || !parse_index_list(*v, &o.png_frames)) return fail("--png needs sample indexes such as 0,15");
    } else if (arg == u"--png-every") {
      std::optional<std::int64_t> n;
      if (!value(&v) || !(n = parse_count(*v, 1))) return fail("--png-every needs a count of at least 1");
      o.png_every = *n;
    } else if (arg == u"--out") {
      if (!value(&v) || v->empty()) return fail("--out needs a folder");
      o.out_folder = *v;
    } else {
      return fail("unknown argument " + name);
    }
  }
  if (!o.list_devices && !have_device) return fail("give --list or --device NAME");
  if (o.frames > 0 && o.milliseconds > 0) return fail("give --frames or --seconds, not both");
  if (have_device && o.frames == 0 && o.milliseconds == 0) o.frames = kDefaultFrames;
  return ParsedOptions{o, {}};
}

std::string capture_usage() {
  return "usage: vcam_capture --help\n"
         "       vcam_capture --list\n"
         "       vcam_capture --device NAME [--caps] [--size WxH] [--frames N | --seconds S]\n"
         "                    [--png I,J,... | --png-every K] [--out FOLDER] [--no-clock]\n"
         "Lists the video input devices, or captures samples from one through the system\n"
         "filter graph and prints one line per sample; chosen samples are written as PNG.\n";
}

}  // namespace vcam::capture
