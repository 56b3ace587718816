#pragma once
// What a control paints on. The window host implements it over its back
// buffer (a GDI device context on Windows); tests record the calls. Styles
// and controls draw only through these operations, so their arithmetic runs
// and is tested without Windows.
#include <cstdint>
#include <string_view>

#include "dui/core/geometry.h"

namespace vcam::dui {

class Texture;
using FontHandle = void*;  // an HFONT on Windows

// DrawTextW format bits the toolkit uses (same values as Windows).
struct TextFormat {
  static constexpr std::uint32_t Center = 0x1;
  static constexpr std::uint32_t Right = 0x2;
  static constexpr std::uint32_t VCenter = 0x4;
  static constexpr std::uint32_t SingleLine = 0x20;
  static constexpr std::uint32_t CalcRect = 0x400;
  static constexpr std::uint32_t NoPrefix = 0x800;
};

class Painter {
 public:
  virtual ~Painter() = default;

  // Save and restore the clip region (SaveDC / RestoreDC on Windows).
  virtual void Save() = 0;
  virtual void Restore() = 0;
  // Narrow the clip region to r (window coordinates).
  virtual void IntersectClip(const Rect& r) = 0;
  // The target window has per-pixel alpha: text needs its alpha repaired.
  virtual bool IsLayered() const = 0;
  // The platform drawing context (an HDC on Windows), null where there is none.
  virtual void* NativeContext() = 0;

  // Copies `src` (texture pixels) of the texture onto `dst`, stretching:
  // opaque textures are copied, others alpha-blended (premultiplied).
  virtual void DrawImage(const Texture& texture, const Rect& dst, const Rect& src) = 0;
  // DrawTextW semantics: `format` holds TextFormat bits; a null font keeps the
  // current one; `colour` is handed to the platform unchanged (a COLORREF).
  // fix_alpha repairs the alpha that GDI text leaves at 0 (layered targets).
  virtual void DrawText(std::u16string_view text, FontHandle font, std::uint32_t colour, std::uint32_t format,
                        const Rect& rect, bool fix_alpha) = 0;
  // The size DrawText would cover (format with CalcRect), with `font` or the current one.
  virtual Size MeasureText(std::u16string_view text, FontHandle font, std::uint32_t format) = 0;
  // Fills r with an opaque colour (0x00BBGGRR as GDI takes it).
  virtual void FillRect(const Rect& r, std::uint32_t colour) = 0;
};

}  // namespace vcam::dui
