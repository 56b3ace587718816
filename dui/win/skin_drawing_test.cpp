// Skin images drawn with GDI into DIB sections and read back pixel by pixel:
// decoding into DIB textures, nine-slices, copying versus blending, the text
// alpha repair, state skins, and blending without an alpha-blend function.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/win/unique_handle.h"
#include "dui/core/attribute_names.h"
#include "dui/core/control.h"
#include "dui/load/memory_file_source.h"
#include "dui/skin/pixel_blend.h"
#include "dui/skin/texture_drawing.h"
#include "dui/style/style.h"
#include "dui/testing/test_png.h"
#include "dui/win/alpha_blend.h"
#include "dui/win/gdi_painter.h"
#include "dui/win/texture_file.h"
#include "dui/win/ui_runtime_win.h"

namespace vcam::dui {
namespace {

using testing::EncodePng;
using testing::Rgba;
using testing::SolidPng;

// A top-down 32-bit DIB section selected into a memory DC.
class DibSurface {
 public:
  DibSurface(std::int32_t w, std::int32_t h, std::uint32_t fill, bool bottom_up = false) : width_(w), height_(h) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = bottom_up ? h : -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<std::uint32_t*>(bits);
    dc_.reset(::CreateCompatibleDC(nullptr));
    old_ = ::SelectObject(dc_.get(), bitmap_.get());
    for (std::int32_t i = 0; i < w * h; ++i) bits_[i] = fill;
  }
  ~DibSurface() { ::SelectObject(dc_.get(), old_); }

  HDC dc() const { return dc_.get(); }
  std::uint32_t at(std::int32_t x, std::int32_t y) const {
    ::GdiFlush();
    return bits_[y * width_ + x];
  }
  void set(std::int32_t x, std::int32_t y, std::uint32_t v) { bits_[y * width_ + x] = v; }
  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }

 private:
  std::int32_t width_, height_;
  UniqueGdiObject bitmap_;
  UniqueMemoryDc dc_;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

class SkinDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    SetAlphaBlendEntry(LoadAlphaBlendFunction());
    ASSERT_TRUE(Initialize(std::u16string(u"dui_skin_win_test")));
    auto pack = std::make_unique<MemoryFileSource>();
    pack_ = pack.get();
    UiRuntime::Instance()->SetSkinSource(std::move(pack));
  }
  void TearDown() override {
    Shutdown();
    SetAlphaBlendEntry(LoadAlphaBlendFunction());
  }
  Texture* Image(const char16_t* name, const std::string& png) {
    pack_->Put(name, png);
    return UiRuntime::Instance()->GetImage(name);
  }

  MemoryFileSource* pack_ = nullptr;
};

TEST_F(SkinDrawing, DecodedPngBecomesAPremultipliedTopDownDibSection) {
  Texture* t = Image(u"p.png", EncodePng(2, 1, {{200, 100, 50, 128}, {1, 2, 3, 255}}));
  ASSERT_NE(t, nullptr);
  ASSERT_NE(t->NativeBitmap(), nullptr);
  DIBSECTION section{};
  ASSERT_EQ(::GetObjectW(static_cast<HBITMAP>(t->NativeBitmap()), sizeof section, &section),
            static_cast<int>(sizeof section));
  EXPECT_EQ(section.dsBm.bmBits, t->pixels());
  EXPECT_EQ(section.dsBm.bmWidth, 2);
  EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
  const auto* bytes = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
  EXPECT_EQ(std::vector<int>(bytes, bytes + 8), (std::vector<int>{25, 50, 100, 128, 3, 2, 1, 255}))
      << "B, G, R, A in memory; (200,100,50,128) stored as (100,50,25,128)";
  EXPECT_TRUE(t->has_alpha());
}

TEST_F(SkinDrawing, NineSliceOfA20By20ImageInto100By30KeepsCornersAndStretchesTheRest) {
  // Each of the nine regions of the image has its own opaque colour.
  auto region = [](int v, int size) { return v < 4 ? 0 : v >= size - 4 ? 2 : 1; };
  auto colour = [](int column, int row) { return Rgba{static_cast<std::uint8_t>(40 + column * 80), static_cast<std::uint8_t>(40 + row * 80), 7, 255}; };
  std::vector<Rgba> pixels;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) pixels.push_back(colour(region(x, 20), region(y, 20)));
  Texture* t = Image(u"nine.png", EncodePng(20, 20, pixels));
  ASSERT_NE(t, nullptr);
  ASSERT_FALSE(t->has_alpha());
  DibSurface target(100, 30, 0);
  GdiPainter painter(target.dc(), false);
  DrawNineSlice(painter, *t, {0, 0, 100, 30}, {4, 4, 4, 4});
  int wrong = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 100; ++x) {
      const Rgba c = colour(region(x, 100), region(y, 30));
      const std::uint32_t expected = 0xFF000000u | c.r << 16 | c.g << 8 | c.b;
      if (target.at(x, y) != expected && ++wrong < 5)
        ADD_FAILURE() << x << "," << y << ": " << std::hex << target.at(x, y) << " != " << expected;
    }
  EXPECT_EQ(wrong, 0);
}

TEST_F(SkinDrawing, OpaqueImageIsCopiedAndOneTransparentPixelSwitchesToBlending) {
  Texture* opaque = Image(u"o.png", EncodePng(2, 1, {{255, 0, 0, 255}, {0, 255, 0, 255}}));
  Texture* mixed = Image(u"m.png", EncodePng(3, 1, {{255, 0, 0, 255}, {0, 0, 0, 0}, {255, 255, 255, 128}}));
  ASSERT_NE(opaque, nullptr);
  ASSERT_NE(mixed, nullptr);
  DibSurface target(3, 2, 0xFF404040);
  GdiPainter painter(target.dc(), false);
  DrawNatural(painter, *opaque, 0, 0);
  DrawNatural(painter, *mixed, 0, 1);
  EXPECT_EQ(target.at(0, 0), 0xFFFF0000u);
  EXPECT_EQ(target.at(1, 0), 0xFF00FF00u);
  EXPECT_EQ(target.at(2, 0), 0xFF404040u);
  EXPECT_EQ(target.at(0, 1), 0xFFFF0000u);
  EXPECT_EQ(target.at(1, 1), 0xFF404040u) << "the transparent pixel shows the background";
  // 128 + 64 * 127 / 255 per channel, give or take the blender's rounding.
  const std::uint32_t half = target.at(2, 1);
  for (int shift = 0; shift < 24; shift += 8) EXPECT_NEAR(static_cast<int>((half >> shift) & 0xFF), 159, 1) << shift;
}

TEST_F(SkinDrawing, TextAlphaIsRepairedOnlyInsideTheRectangle) {
  DibSurface target(120, 40, 0);
  target.set(110, 5, 0x00FFFFFF);  // beside the text rectangle: left alone
  target.set(5, 30, 0x00FFFFFF);   // below it: left alone
  GdiPainter painter(target.dc(), true);
  ::SetBkMode(target.dc(), TRANSPARENT);
  painter.DrawText(u"WWWW", nullptr, 0xFFFFFF, 0x24, {0, 0, 100, 20}, true);
  int lit = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 100; ++x) {
      const std::uint32_t p = target.at(x, y);
      if (p & 0xFFFFFF) {
        ++lit;
        EXPECT_EQ(p >> 24, 0xFFu) << x << "," << y;
      } else {
        EXPECT_EQ(p, 0u) << "black pixels keep alpha 0";
      }
    }
  EXPECT_GT(lit, 10) << "the text was drawn";
  EXPECT_EQ(target.at(110, 5), 0x00FFFFFFu);
  EXPECT_EQ(target.at(5, 30), 0x00FFFFFFu);
}

TEST_F(SkinDrawing, ShrunkOpaqueImageKeepsItsColours) {
  std::vector<Rgba> stripes;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) stripes.push_back(x % 2 ? Rgba{255, 0, 0, 255} : Rgba{0, 255, 0, 255});
  Texture* t = Image(u"s.png", EncodePng(4, 4, stripes));
  ASSERT_NE(t, nullptr);
  DibSurface target(2, 2, 0);
  GdiPainter painter(target.dc(), false);
  DrawStretched(painter, *t, {0, 0, 2, 2});
  for (int x = 0; x < 2; ++x) {
    const std::uint32_t p = target.at(x, 0) & 0xFFFFFF;
    EXPECT_TRUE(p == 0xFF0000 || p == 0x00FF00) << std::hex << p << ": a pixel of the image, not a mix of dropped ones";
  }
}

TEST_F(SkinDrawing, DisabledControlDrawsTheDisabledSkin) {
  Image(u"up.png", SolidPng(4, 4, {255, 0, 0, 255}));
  Image(u"off.png", SolidPng(4, 4, {0, 0, 255, 255}));
  Style style;
  style.SetString(attr::upSkin, u"up.png");
  style.SetString(attr::disabledSkin, u"off.png");
  Control control;
  DibSurface target(10, 10, 0);
  GdiPainter painter(target.dc(), false);
  style.Draw(painter, {0, 0, 10, 5}, control);
  control.SetFlag(ControlFlags::Enabled, false);
  style.Draw(painter, {0, 5, 10, 10}, control);
  EXPECT_EQ(target.at(3, 2), 0xFFFF0000u);
  EXPECT_EQ(target.at(3, 7), 0xFF0000FFu);
}

TEST_F(SkinDrawing, WithoutAnAlphaBlendFunctionTransparentImagesAreBlendedInMemory) {
  SetAlphaBlendEntry(nullptr);
  Texture* t = Image(u"t.png", EncodePng(2, 1, {{255, 0, 0, 255}, {200, 100, 50, 128}}));
  ASSERT_NE(t, nullptr);
  DibSurface target(8, 3, 0xFF204060);
  GdiPainter painter(target.dc(), false);
  DrawStretched(painter, *t, {0, 0, 4, 1});
  const std::uint32_t blended = BlendPixel(0xFF204060, 0x80643219);
  EXPECT_EQ(target.at(0, 0), 0xFFFF0000u);
  EXPECT_EQ(target.at(1, 0), 0xFFFF0000u) << "stretched by nearest neighbour";
  EXPECT_EQ(target.at(2, 0), blended);
  EXPECT_EQ(target.at(3, 0), blended);
  EXPECT_EQ(target.at(4, 0), 0xFF204060u);
  // The clip region bounds the blend.
  painter.Save();
  painter.IntersectClip({0, 1, 1, 3});
  DrawStretched(painter, *t, {0, 1, 8, 3});
  painter.Restore();
  EXPECT_EQ(target.at(0, 1), 0xFFFF0000u);
  EXPECT_EQ(target.at(0, 2), 0xFFFF0000u);
  EXPECT_EQ(target.at(1, 1), 0xFF204060u);
  EXPECT_EQ(target.at(7, 2), 0xFF204060u);
}

TEST_F(SkinDrawing, BottomUpSectionsAreBlendedAndRepairedRowForRow) {
  SetAlphaBlendEntry(nullptr);
  Texture* t = Image(u"t.png", EncodePng(1, 1, {{255, 0, 0, 128}}));
  ASSERT_NE(t, nullptr);
  DibSurface target(4, 3, 0xFF000000, true);
  GdiPainter painter(target.dc(), false);
  DrawStretched(painter, *t, {0, 0, 4, 1});
  EXPECT_EQ(::GetPixel(target.dc(), 1, 0), static_cast<COLORREF>(RGB(128, 0, 0)));
  EXPECT_EQ(::GetPixel(target.dc(), 1, 2), static_cast<COLORREF>(RGB(0, 0, 0)));
  EXPECT_EQ(target.at(1, 2), 0xFF800000u) << "device row 0 is the last row in memory";

  DibSurface text(60, 20, 0, true);
  GdiPainter layered(text.dc(), true);
  ::SetBkMode(text.dc(), TRANSPARENT);
  layered.DrawText(u"WW", nullptr, 0xFFFFFF, 0x24, {0, 0, 60, 10}, true);
  int lit = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x)
      if (text.at(x, y) & 0xFFFFFF) {
        ++lit;
        EXPECT_EQ(text.at(x, y) >> 24, 0xFFu) << x << "," << y;
      }
  EXPECT_GT(lit, 5);
}

TEST_F(SkinDrawing, WithoutAnAlphaBlendFunctionADcWithoutADibGetsTheBlendThroughACopy) {
  SetAlphaBlendEntry(nullptr);
  Texture* t = Image(u"t.png", EncodePng(1, 1, {{0, 0, 0, 0}}));
  Texture* red = Image(u"r.png", EncodePng(2, 1, {{255, 0, 0, 255}, {0, 0, 0, 0}}));
  ASSERT_NE(t, nullptr);
  HDC screen = ::GetDC(nullptr);
  UniqueGdiObject ddb(::CreateCompatibleBitmap(screen, 4, 1));
  ::ReleaseDC(nullptr, screen);
  UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  HGDIOBJ old = ::SelectObject(dc.get(), ddb.get());
  RECT all{0, 0, 4, 1};
  UniqueGdiObject green(::CreateSolidBrush(RGB(0, 255, 0)));
  ::FillRect(dc.get(), &all, static_cast<HBRUSH>(green.get()));
  GdiPainter painter(dc.get(), false);
  DrawStretched(painter, *t, {0, 0, 2, 1});
  DrawStretched(painter, *red, {2, 0, 4, 1});
  EXPECT_EQ(::GetPixel(dc.get(), 0, 0) & 0xFFFFFF, static_cast<COLORREF>(RGB(0, 255, 0)));
  EXPECT_EQ(::GetPixel(dc.get(), 2, 0) & 0xFFFFFF, static_cast<COLORREF>(RGB(255, 0, 0)));
  EXPECT_EQ(::GetPixel(dc.get(), 3, 0) & 0xFFFFFF, static_cast<COLORREF>(RGB(0, 255, 0)));
  ::SelectObject(dc.get(), old);
}

TEST_F(SkinDrawing, AlphaBlendEntryIsChosenOnceAndCanBeReplaced) {
  AlphaBlendFunction found = LoadAlphaBlendFunction();
  EXPECT_NE(found, nullptr) << "msimg32 offers AlphaBlend";
  SetAlphaBlendEntry(nullptr);
  EXPECT_EQ(AlphaBlendEntry(), nullptr) << "a null choice stays null";
  SetAlphaBlendEntry(found);
  EXPECT_EQ(AlphaBlendEntry(), found);
}

class TextureFile : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t dir[MAX_PATH];
    ASSERT_GT(::GetTempPathW(MAX_PATH, dir), 0u);
    path_ = std::u16string(reinterpret_cast<const char16_t*>(dir)) + u"dui_texture_file_test.png";
  }
  void TearDown() override { ::DeleteFileW(reinterpret_cast<const wchar_t*>(path_.c_str())); }
  void Write(const std::string& bytes) {
    UniqueFile f(::CreateFileW(reinterpret_cast<const wchar_t*>(path_.c_str()), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(f);
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  }
  std::u16string path_;
};

TEST_F(TextureFile, LoadsAnImageFileIntoAnOwnedDibTexture) {
  Write(EncodePng(2, 1, {{200, 100, 50, 128}, {9, 9, 9, 255}}));
  std::unique_ptr<Texture> t = LoadTextureFile(path_);
  ASSERT_NE(t, nullptr);
  EXPECT_NE(t->NativeBitmap(), nullptr);
  EXPECT_EQ(t->pixels()[0], 0x80643219u);
  EXPECT_EQ(t->pixels()[1], 0xFF090909u);
}

TEST_F(TextureFile, MissingEmptyAndNonImageFilesGiveNull) {
  EXPECT_EQ(LoadTextureFile(path_), nullptr);
  Write("");
  EXPECT_EQ(LoadTextureFile(path_), nullptr);
  Write("just some text, no image");
  EXPECT_EQ(LoadTextureFile(path_), nullptr);
  const std::string png = SolidPng(16, 16, {1, 2, 3, 255});
  Write(png.substr(0, png.size() - 20));
  EXPECT_EQ(LoadTextureFile(path_), nullptr) << "truncated";
}

}  // namespace
}  // namespace vcam::dui
