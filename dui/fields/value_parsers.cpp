#include "dui/fields/value_parsers.h"

#include <limits>

namespace vcam::dui::duiField {

namespace {

bool IsSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// One "%d" conversion at text[pos], advancing pos past it.
bool ScanInt(std::u16string_view text, std::size_t& pos, std::int32_t& out) {
  std::size_t i = pos;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  const std::size_t digits_start = i;
  std::int64_t value = 0;
  while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
    value = value * 10 + (text[i] - u'0');
    if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return false;
    ++i;
  }
  if (i == digits_start) return false;
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return false;
  out = static_cast<std::int32_t>(value);
  pos = i;
  return true;
}

bool ScanComma(std::u16string_view text, std::size_t& pos) {
  if (pos >= text.size() || text[pos] != u',') return false;
  ++pos;
  return true;
}

unsigned HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return 0;
}

}  // namespace

std::optional<std::int32_t> ParseInt(std::u16string_view text) {
  std::size_t pos = 0;
  std::int32_t v = 0;
  if (!ScanInt(text, pos, v)) return std::nullopt;
  return v;
}

std::optional<Rect> ParseRect(std::u16string_view text) {
  std::size_t pos = 0;
  Rect r;
  if (ScanInt(text, pos, r.left) && ScanComma(text, pos) && ScanInt(text, pos, r.top) &&
      ScanComma(text, pos) && ScanInt(text, pos, r.right) && ScanComma(text, pos) &&
      ScanInt(text, pos, r.bottom))
    return r;
  return std::nullopt;
}

std::optional<Size> ParseSize(std::u16string_view text) {
  std::size_t pos = 0;
  Size s;
  if (ScanInt(text, pos, s.cx) && ScanComma(text, pos) && ScanInt(text, pos, s.cy)) return s;
  return std::nullopt;
}

std::optional<std::uint32_t> ParseColor(std::u16string_view text) {
  if (text.size() < 7) return std::nullopt;
  std::uint32_t color = 0;
  for (std::size_t i = 1; i < 7; ++i) color = (color << 4) | HexDigit(text[i]);
  return color;
}

}  // namespace vcam::dui::duiField
