#pragma once
// Text of labels and buttons over skin images.
#include <cstdint>
#include <string_view>

#include "dui/core/geometry.h"
#include "dui/core/painter.h"

namespace vcam::dui {

// DrawTextW formats of the toolkit's text.
struct LabelFormat {
  static constexpr std::uint32_t Left = TextFormat::NoPrefix | TextFormat::SingleLine | TextFormat::VCenter;  // 0x824
  static constexpr std::uint32_t Centred = Left | TextFormat::Center;                                        // 0x825
  static constexpr std::uint32_t RightAligned = Left | TextFormat::Right;                                    // 0x826
  static constexpr std::uint32_t Button = TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine;  // 0x25
  static constexpr std::uint32_t Check = TextFormat::SingleLine | TextFormat::VCenter;                        // 0x24
  static constexpr std::uint32_t Measure = TextFormat::CalcRect | TextFormat::SingleLine;                     // 0x420
};

// The text in `font` (null: the one the window selected) and `colour` (a
// COLORREF, handed on unchanged). fix_alpha repairs the alpha GDI text leaves
// at 0; only layered targets need it.
void DrawLabelText(Painter& painter, const Rect& rect, std::u16string_view text, FontHandle font,
                   std::uint32_t colour, std::uint32_t format, bool fix_alpha);
// Left-aligned, one line, vertically centred.
void DrawLabelTextLeft(Painter& painter, const Rect& rect, std::u16string_view text, FontHandle font,
                       std::uint32_t colour, bool fix_alpha);

}  // namespace vcam::dui
