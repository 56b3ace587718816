#include "dui/testing/recording_painter.h"

#include <cstdio>

#include "common/text_utf.h"
#include "dui/skin/texture.h"
#include "dui/testing/test_platform.h"

namespace vcam::dui::testing {

namespace {

std::string Hex(std::uint32_t v) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%x", static_cast<unsigned>(v));
  return buffer;
}

}  // namespace

std::string Str(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

void RecordingPainter::DrawImage(const Texture& texture, const Rect& dst, const Rect& src) {
  log.push_back("image " + std::to_string(texture.width()) + "x" + std::to_string(texture.height()) + " " +
                Str(dst) + " <- " + Str(src));
}

void RecordingPainter::DrawText(std::u16string_view text, FontHandle, std::uint32_t colour, std::uint32_t format,
                                const Rect& rect, bool fix_alpha) {
  log.push_back("text " + utf16_to_utf8(std::u16string(text)) + " " + Str(rect) + " colour=" + Hex(colour) +
                " format=" + Hex(format) + (fix_alpha ? " fixalpha" : ""));
}

Size RecordingPainter::MeasureText(std::u16string_view text, FontHandle font, std::uint32_t) {
  return {static_cast<std::int32_t>(text.size()) * kTextCharWidth, TestFontHeight(font)};
}

void RecordingPainter::FillRect(const Rect& r, std::uint32_t colour) { log.push_back("fill " + Str(r) + " " + Hex(colour)); }

}  // namespace vcam::dui::testing
