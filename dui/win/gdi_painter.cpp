#include "dui/win/gdi_painter.h"

#include <algorithm>
#include <string>

#include "dui/skin/texture.h"

namespace vcam::dui {

namespace {

// The memory DC textures are selected into for every blit (UI thread).
HDC BlitDc() {
  static HDC dc = ::CreateCompatibleDC(nullptr);
  return dc;
}

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

void GdiPainter::Save() { ::SaveDC(dc_); }

void GdiPainter::Restore() { ::RestoreDC(dc_, -1); }

void GdiPainter::IntersectClip(const Rect& r) { ::IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom); }

void GdiPainter::DrawImage(const Texture& texture, const Rect& dst, const Rect& src) {
  if (dst.empty() || src.empty()) return;
  HDC blit = BlitDc();
  HGDIOBJ old = ::SelectObject(blit, static_cast<HBITMAP>(texture.NativeBitmap()));
  if (texture.has_alpha()) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(dc_, dst.left, dst.top, dst.width(), dst.height(), blit, src.left, src.top, src.width(),
                 src.height(), blend);
  } else if (dst.width() == src.width() && dst.height() == src.height()) {
    ::BitBlt(dc_, dst.left, dst.top, dst.width(), dst.height(), blit, src.left, src.top, SRCCOPY);
  } else {
    ::StretchBlt(dc_, dst.left, dst.top, dst.width(), dst.height(), blit, src.left, src.top, src.width(),
                 src.height(), SRCCOPY);
  }
  ::SelectObject(blit, old);
}

void GdiPainter::DrawText(std::u16string_view text, FontHandle font, std::uint32_t colour, std::uint32_t format,
                          const Rect& rect, bool fix_alpha) {
  HGDIOBJ old_font = font ? ::SelectObject(dc_, static_cast<HFONT>(font)) : nullptr;
  ::SetTextColor(dc_, colour);
  std::wstring wide = Wide(text);
  RECT r{rect.left, rect.top, rect.right, rect.bottom};
  ::DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &r, format);
  if (old_font) ::SelectObject(dc_, old_font);
  if (fix_alpha) RepairTextAlpha(dc_, rect);
}

Size GdiPainter::MeasureText(std::u16string_view text, FontHandle font, std::uint32_t format) {
  HGDIOBJ old_font = font ? ::SelectObject(dc_, static_cast<HFONT>(font)) : nullptr;
  std::wstring wide = Wide(text);
  RECT r{0, 0, 0, 0};
  ::DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &r, format | DT_CALCRECT);
  if (old_font) ::SelectObject(dc_, old_font);
  return {r.right - r.left, r.bottom - r.top};
}

void GdiPainter::FillRect(const Rect& r, std::uint32_t colour) {
  HBRUSH brush = ::CreateSolidBrush(colour);
  RECT rc{r.left, r.top, r.right, r.bottom};
  ::FillRect(dc_, &rc, brush);
  ::DeleteObject(brush);
}

void RepairTextAlpha(HDC dc, const Rect& r) {
  // The DC's bitmap is reached by swapping a 1x1 bitmap in and back out.
  HBITMAP probe = ::CreateCompatibleBitmap(dc, 1, 1);
  if (!probe) return;
  HBITMAP current = static_cast<HBITMAP>(::SelectObject(dc, probe));
  ::SelectObject(dc, current);
  ::DeleteObject(probe);
  DIBSECTION section{};
  if (!current || ::GetObjectW(current, sizeof section, &section) != sizeof section) return;
  const BITMAP& bm = section.dsBm;
  if (bm.bmBitsPixel != 32 || !bm.bmBits) return;
  const LONG left = std::max<LONG>(r.left, 0), right = std::min<LONG>(r.right, bm.bmWidth);
  const LONG top = std::max<LONG>(r.top, 0), bottom = std::min<LONG>(r.bottom, std::abs(bm.bmHeight));
  // A bottom-up section stores its last row first.
  const bool bottom_up = section.dsBmih.biHeight > 0;
  for (LONG y = top; y < bottom; ++y) {
    const LONG row = bottom_up ? std::abs(bm.bmHeight) - 1 - y : y;
    auto* line = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(bm.bmBits) + row * bm.bmWidthBytes);
    for (LONG x = left; x < right; ++x)
      if ((line[x] >> 24) == 0 && (line[x] & 0xFFFFFF) != 0) line[x] |= 0xFF000000u;
  }
}

}  // namespace vcam::dui
