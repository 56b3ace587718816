#pragma once
// The painter over a GDI device context: the window's back buffer, or any DC
// a caller paints a control tree into.
#include <windows.h>

#include "dui/core/painter.h"

namespace vcam::dui {

class GdiPainter : public Painter {
 public:
  // `layered`: the DC's bitmap is a per-pixel-alpha surface, so text drawn
  // with fix_alpha gets its alpha repaired.
  GdiPainter(HDC dc, bool layered) : dc_(dc), layered_(layered) {}

  void Save() override;
  void Restore() override;
  void IntersectClip(const Rect& r) override;
  bool IsLayered() const override { return layered_; }
  void* NativeContext() override { return dc_; }
  void DrawImage(const Texture& texture, const Rect& dst, const Rect& src) override;
  void DrawText(std::u16string_view text, FontHandle font, std::uint32_t colour, std::uint32_t format,
                const Rect& rect, bool fix_alpha) override;
  Size MeasureText(std::u16string_view text, FontHandle font, std::uint32_t format) override;
  void FillRect(const Rect& r, std::uint32_t colour) override;

 private:
  HDC dc_;
  bool layered_;
};

// The 32-bit DIB section selected into dc; false when it has none.
bool SelectedDib(HDC dc, DIBSECTION* section);

// Gives every pixel of r (clamped to the bitmap selected into dc) that GDI
// text left with alpha 0 and a non-black colour the alpha 255.
void RepairTextAlpha(HDC dc, const Rect& r);

}  // namespace vcam::dui
