// A window, GDI text drawn into a DIB section, and a layered window: the
// pieces the UI toolkit and the placeholder picture stand on.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "common/win/unique_handle.h"

namespace vcam {
namespace {

struct Dib {
  UniqueGdiObject bitmap;
  std::uint32_t* bits = nullptr;
};

Dib make_dib(HDC dc, int w, int h) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Dib d;
  d.bitmap.reset(::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  d.bits = static_cast<std::uint32_t*>(bits);
  return d;
}

// Counts pixels darker than mid-grey in columns [x0, x1).
int dark_pixels(const std::uint32_t* bits, int w, int h, int x0, int x1) {
  int n = 0;
  for (int y = 0; y < h; ++y)
    for (int x = x0; x < x1; ++x)
      if ((bits[y * w + x] & 0xFF) < 0x80) ++n;
  return n;
}

TEST(WindowSmoke, TextDrawnIntoADibSectionChangesPixels) {
  constexpr int kW = 320, kH = 40;
  UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  ASSERT_TRUE(dc);
  Dib dib = make_dib(dc.get(), kW, kH);
  ASSERT_TRUE(dib.bitmap);
  HGDIOBJ old = ::SelectObject(dc.get(), dib.bitmap.get());
  RECT all{0, 0, kW, kH};
  ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::GdiFlush();
  ASSERT_EQ(dark_pixels(dib.bits, kW, kH, 0, kW), 0);

  LOGFONTW lf{};
  lf.lfHeight = -24;
  lf.lfCharSet = DEFAULT_CHARSET;
  wcscpy(lf.lfFaceName, L"WenQuanYi Zen Hei");
  UniqueGdiObject font(::CreateFontIndirectW(&lf));
  ASSERT_TRUE(font);
  HGDIOBJ old_font = ::SelectObject(dc.get(), font.get());
  ::SetBkMode(dc.get(), TRANSPARENT);
  ::SetTextColor(dc.get(), RGB(0, 0, 0));
  SIZE latin{}, chinese{};
  ASSERT_TRUE(::GetTextExtentPoint32W(dc.get(), L"ZeloCam", 7, &latin));
  ASSERT_TRUE(::GetTextExtentPoint32W(dc.get(), L"程序版本", 4, &chinese));
  ASSERT_TRUE(::TextOutW(dc.get(), 0, 4, L"ZeloCam", 7));
  ASSERT_TRUE(::TextOutW(dc.get(), latin.cx + 10, 4, L"程序版本", 4));
  ::GdiFlush();

  EXPECT_GT(dark_pixels(dib.bits, kW, kH, 0, latin.cx), 30) << "Latin text drew nothing";
  EXPECT_GT(dark_pixels(dib.bits, kW, kH, latin.cx + 10, latin.cx + 10 + chinese.cx), 60)
      << "Chinese text drew nothing: is a CJK font installed?";
  EXPECT_EQ(dark_pixels(dib.bits, kW, kH, latin.cx + 10 + chinese.cx + 2, kW), 0);
  ::SelectObject(dc.get(), old_font);
  ::SelectObject(dc.get(), old);
}

TEST(WindowSmoke, LayeredWindowTakesAPremultipliedBitmap) {
  HINSTANCE inst = ::GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = inst;
  wc.lpszClassName = L"vcam_smoke_layered";
  ASSERT_TRUE(::RegisterClassW(&wc));
  HWND hwnd = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, wc.lpszClassName, L"smoke", WS_POPUP, 10,
                                10, 64, 64, nullptr, nullptr, inst, nullptr);
  ASSERT_NE(hwnd, nullptr);

  UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  Dib dib = make_dib(dc.get(), 64, 64);
  ASSERT_TRUE(dib.bitmap);
  for (int i = 0; i < 64 * 64; ++i) dib.bits[i] = 0x80400000;  // half-transparent premultiplied red
  HGDIOBJ old = ::SelectObject(dc.get(), dib.bitmap.get());
  POINT src{0, 0}, pos{10, 10};
  SIZE size{64, 64};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  EXPECT_TRUE(::UpdateLayeredWindow(hwnd, nullptr, &pos, &size, dc.get(), &src, 0, &blend, ULW_ALPHA))
      << "error " << ::GetLastError();
  ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  RECT r{};
  ASSERT_TRUE(::GetWindowRect(hwnd, &r));
  EXPECT_EQ(r.right - r.left, 64);
  EXPECT_EQ(r.bottom - r.top, 64);
  ::SelectObject(dc.get(), old);
  ::DestroyWindow(hwnd);
  ::UnregisterClassW(wc.lpszClassName, inst);
}

}  // namespace
}  // namespace vcam
