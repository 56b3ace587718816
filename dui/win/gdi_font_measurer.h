#pragma once
// A text control's copy of a font, selected into a memory DC of its own, so
// that character widths come from GetCharWidth32W without the painting DC.
#include <windows.h>

#include "common/win/unique_handle.h"
#include "dui/runtime/font_measurer.h"

namespace vcam::dui {

class GdiFontMeasurer : public FontMeasurer {
 public:
  // A copy of `font` (null: the default GUI font).
  explicit GdiFontMeasurer(HFONT font);
  ~GdiFontMeasurer() override;

  FontHandle font() const override { return font_.get(); }
  std::int32_t LineHeight() const override { return line_height_; }
  std::int32_t AverageWidth() const override { return average_width_; }

 protected:
  std::int32_t MeasureChar(char16_t c) override;

 private:
  UniqueGdiObject font_;
  UniqueMemoryDc dc_;
  HGDIOBJ old_font_ = nullptr;
  std::int32_t line_height_ = 0;
  std::int32_t average_width_ = 0;
};

}  // namespace vcam::dui
