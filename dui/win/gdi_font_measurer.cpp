#include "dui/win/gdi_font_measurer.h"

namespace vcam::dui {

GdiFontMeasurer::GdiFontMeasurer(HFONT font) {
  LOGFONTW description{};
  HGDIOBJ source = font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT);
  if (::GetObjectW(source, sizeof description, &description) == sizeof description)
    font_.reset(::CreateFontIndirectW(&description));
  dc_.reset(::CreateCompatibleDC(nullptr));
  if (!dc_) return;
  if (font_) old_font_ = ::SelectObject(dc_.get(), font_.get());
  TEXTMETRICW metrics{};
  if (::GetTextMetricsW(dc_.get(), &metrics)) {
    line_height_ = metrics.tmAscent + metrics.tmDescent;
    average_width_ = metrics.tmAveCharWidth;
  }
}

GdiFontMeasurer::~GdiFontMeasurer() {
  // The font must leave the DC before either is deleted.
  if (dc_ && old_font_) ::SelectObject(dc_.get(), old_font_);
}

std::int32_t GdiFontMeasurer::MeasureChar(char16_t c) {
  INT width = 0;
  if (!dc_ || !::GetCharWidth32W(dc_.get(), c, c, &width)) return 0;
  return width;
}

}  // namespace vcam::dui
