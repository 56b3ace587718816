#include "dui/runtime/font_measurer.h"

#include <string_view>

#include "dui/runtime/ui_platform.h"

namespace vcam::dui {

std::int32_t FontMeasurer::Width(char16_t c) {
  if (c < kTableSize) {
    if (!known_[c]) {
      table_[c] = MeasureChar(c);
      known_[c] = true;
    }
    return table_[c];
  }
  const auto it = other_.find(c);
  if (it != other_.end()) return it->second;
  const std::int32_t w = MeasureChar(c);
  other_.emplace(c, w);
  return w;
}

namespace {

// Measures through the platform's DrawText extent, one character at a time:
// for platforms without a measurer of their own.
class ExtentMeasurer : public FontMeasurer {
 public:
  ExtentMeasurer(UiPlatform& platform, FontHandle font) : platform_(platform), font_(font) {}
  FontHandle font() const override { return font_; }
  std::int32_t LineHeight() const override { return platform_.FontHeight(font_); }
  std::int32_t AverageWidth() const override {
    return platform_.MeasureText(font_, u"x", TextFormat::NoPrefix | TextFormat::CalcRect | TextFormat::SingleLine).cx;
  }

 protected:
  std::int32_t MeasureChar(char16_t c) override {
    return platform_.MeasureText(font_, std::u16string_view(&c, 1),
                                 TextFormat::NoPrefix | TextFormat::CalcRect | TextFormat::SingleLine)
        .cx;
  }

 private:
  UiPlatform& platform_;
  FontHandle font_;
};

}  // namespace

std::unique_ptr<FontMeasurer> UiPlatform::CreateFontMeasurer(FontHandle font) {
  return std::make_unique<ExtentMeasurer>(*this, font);
}

}  // namespace vcam::dui
