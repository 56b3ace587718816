#include "dui/win/gdi_painter.h"

#include <algorithm>
#include <string>

#include "common/win/unique_handle.h"
#include "dui/skin/pixel_blend.h"
#include "dui/skin/texture.h"
#include "dui/win/alpha_blend.h"

namespace vcam::dui {

namespace {

// The memory DC textures are selected into for every blit (UI thread).
HDC BlitDc() {
  static HDC dc = ::CreateCompatibleDC(nullptr);
  return dc;
}

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// GetObject reports a positive height for top-down and bottom-up sections
// alike, so a pixel set through GDI at device (0, 0) shows where row 0 lies.
bool RowZeroFirstInMemory(HDC dc, std::uint32_t* first, std::uint32_t* last) {
  ::GdiFlush();
  const std::uint32_t saved_first = *first, saved_last = *last;
  const BYTE blue = (saved_first & 0xFF) == 0x5A ? 0xA5 : 0x5A;
  const int state = ::SaveDC(dc);
  ::SelectClipRgn(dc, nullptr);
  POINT origin{0, 0};
  ::DPtoLP(dc, &origin, 1);
  ::SetPixelV(dc, origin.x, origin.y, RGB(0, 0, blue));
  ::RestoreDC(dc, state);
  ::GdiFlush();
  const bool first_is_row_zero = (*first & 0xFF) == blue;
  *first = saved_first;
  *last = saved_last;
  return first_is_row_zero;
}

// The rows of the 32-bit DIB section selected into dc.
PixelRows RowsOf(HDC dc, const DIBSECTION& section) {
  const BITMAP& bm = section.dsBm;
  const std::int32_t height = std::abs(bm.bmHeight);
  const std::ptrdiff_t stride = bm.bmWidthBytes / 4;
  auto* bits = static_cast<std::uint32_t*>(bm.bmBits);
  std::uint32_t* last = bits + (height - 1) * stride;
  if (height <= 1 || RowZeroFirstInMemory(dc, bits, last)) return {bits, bm.bmWidth, height, stride};
  return {last, bm.bmWidth, height, -stride};
}

PixelRows RowsOf(const Texture& texture) {
  return {const_cast<std::uint32_t*>(texture.pixels()), texture.width(), texture.height(), texture.width()};
}

Rect ToDevice(HDC dc, const Rect& r) {
  POINT p[2] = {{r.left, r.top}, {r.right, r.bottom}};
  ::LPtoDP(dc, p, 2);
  return {p[0].x, p[0].y, p[1].x, p[1].y};
}

// Without an alpha-blend function: the texture's premultiplied pixels are
// blended straight into the DC's 32-bit DIB section inside the clip box, or,
// for a DC without one, into a copy of the destination that is put back.
void BlendWithoutFunction(HDC dc, const Texture& texture, const Rect& dst, const Rect& src) {
  if (!texture.pixels()) return;
  DIBSECTION section{};
  if (SelectedDib(dc, &section)) {
    const PixelRows rows = RowsOf(dc, section);
    RECT box{};
    const int kind = ::GetClipBox(dc, &box);
    if (kind == NULLREGION) return;
    // Some memory DCs report no clip box at all: then the bitmap bounds it.
    const Rect clip = kind == ERROR ? Rect{0, 0, rows.width, rows.height}
                                    : ToDevice(dc, {box.left, box.top, box.right, box.bottom});
    ::GdiFlush();
    BlendPremultiplied(rows, ToDevice(dc, dst), RowsOf(texture), src, clip);
    return;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = dst.width();
  info.bmiHeader.biHeight = -dst.height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueGdiObject copy(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueMemoryDc copy_dc(::CreateCompatibleDC(dc));
  if (!copy || !bits || !copy_dc) return;
  HGDIOBJ old = ::SelectObject(copy_dc.get(), copy.get());
  ::BitBlt(copy_dc.get(), 0, 0, dst.width(), dst.height(), dc, dst.left, dst.top, SRCCOPY);
  ::GdiFlush();
  const PixelRows rows{static_cast<std::uint32_t*>(bits), dst.width(), dst.height(), dst.width()};
  BlendPremultiplied(rows, {0, 0, dst.width(), dst.height()}, RowsOf(texture), src, {0, 0, dst.width(), dst.height()});
  ::BitBlt(dc, dst.left, dst.top, dst.width(), dst.height(), copy_dc.get(), 0, 0, SRCCOPY);
  ::SelectObject(copy_dc.get(), old);
}

}  // namespace

bool SelectedDib(HDC dc, DIBSECTION* section) {
  // The DC's bitmap is reached by swapping a 1x1 bitmap in and back out.
  HBITMAP probe = ::CreateCompatibleBitmap(dc, 1, 1);
  if (!probe) return false;
  HBITMAP current = static_cast<HBITMAP>(::SelectObject(dc, probe));
  ::SelectObject(dc, current);
  ::DeleteObject(probe);
  if (!current || ::GetObjectW(current, sizeof *section, section) != sizeof *section) return false;
  return section->dsBm.bmBitsPixel == 32 && section->dsBm.bmBits != nullptr;
}

void GdiPainter::Save() { ::SaveDC(dc_); }

void GdiPainter::Restore() { ::RestoreDC(dc_, -1); }

void GdiPainter::IntersectClip(const Rect& r) { ::IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom); }

void GdiPainter::DrawImage(const Texture& texture, const Rect& dst, const Rect& src) {
  if (dst.empty() || src.empty()) return;
  const AlphaBlendFunction alpha_blend = texture.has_alpha() ? AlphaBlendEntry() : nullptr;
  if (texture.has_alpha() && !alpha_blend) {
    BlendWithoutFunction(dc_, texture, dst, src);
    return;
  }
  HDC blit = BlitDc();
  HGDIOBJ old = ::SelectObject(blit, static_cast<HBITMAP>(texture.NativeBitmap()));
  if (alpha_blend) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};  // the word 0x01FF0000
    alpha_blend(dc_, dst.left, dst.top, dst.width(), dst.height(), blit, src.left, src.top, src.width(),
                src.height(), blend);
  } else if (dst.width() == src.width() && dst.height() == src.height()) {
    ::BitBlt(dc_, dst.left, dst.top, dst.width(), dst.height(), blit, src.left, src.top, SRCCOPY);
  } else {
    // The default mode ANDs the rows it drops when shrinking, darkening the image.
    const int mode = ::SetStretchBltMode(dc_, COLORONCOLOR);
    ::StretchBlt(dc_, dst.left, dst.top, dst.width(), dst.height(), blit, src.left, src.top, src.width(),
                 src.height(), SRCCOPY);
    if (mode) ::SetStretchBltMode(dc_, mode);
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
  DIBSECTION section{};
  if (!SelectedDib(dc, &section)) return;
  ::GdiFlush();
  const PixelRows rows = RowsOf(dc, section);
  const Rect area = r.intersect({0, 0, rows.width, rows.height});
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    std::uint32_t* line = rows.row(y);
    for (std::int32_t x = area.left; x < area.right; ++x)
      if ((line[x] >> 24) == 0 && (line[x] & 0xFFFFFF) != 0) line[x] |= 0xFF000000u;
  }
}

}  // namespace vcam::dui
