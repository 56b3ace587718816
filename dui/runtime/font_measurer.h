#pragma once
// A text control's own measuring copy of a font: character widths, line
// height and the handle to draw with. The platform makes it (GDI on Windows:
// a copy of the font selected into a memory DC).
#include <cstdint>
#include <unordered_map>

#include "dui/controls/text/char_widths.h"
#include "dui/core/painter.h"

namespace vcam::dui {

class FontMeasurer : public CharWidths {
 public:
  // Widths are asked per character many times over; each is measured once.
  std::int32_t Width(char16_t c) final;

  // The font to draw with (the copy; null draws with the default).
  virtual FontHandle font() const = 0;
  // Ascent + descent.
  virtual std::int32_t LineHeight() const = 0;
  virtual std::int32_t AverageWidth() const = 0;

 protected:
  virtual std::int32_t MeasureChar(char16_t c) = 0;

 private:
  static constexpr char16_t kTableSize = 0x300;  // Latin: most text stays here
  std::int32_t table_[kTableSize] = {};
  bool known_[kTableSize] = {};
  std::unordered_map<char16_t, std::int32_t> other_;
};

}  // namespace vcam::dui
