// The gallery's command line and pictures.
#include <gtest/gtest.h>

#include <stb/stb_image.h>

#include "tools/gallery/gallery_options.h"
#include "tools/gallery/rgba_picture.h"

namespace vcam::gallery {
namespace {

ParsedGalleryOptions Parse(std::vector<std::u16string> args) { return parse_gallery_options(args); }

TEST(GalleryOptions, OneLayoutWithStates) {
  const auto p = Parse({u"--skin", u"s.zeloz", u"--layouts", u"lay", u"--layout", u"alertwindow.xml", u"--png",
                        u"a.png", u"--layered", u"--hover", u"1001", u"--check", u"7", u"--check", u"-3"});
  ASSERT_TRUE(p.options) << p.error;
  EXPECT_EQ(p.options->layout, u"alertwindow.xml");
  EXPECT_TRUE(p.options->layered);
  EXPECT_EQ(p.options->hover, 1001);
  EXPECT_FALSE(p.options->press);
  EXPECT_EQ(p.options->check, (std::vector<std::int32_t>{7, -3}));
}

TEST(GalleryOptions, RefusesIncompleteOrMixedCommandLines) {
  EXPECT_FALSE(Parse({}).options);
  EXPECT_FALSE(Parse({u"--layout", u"x.xml", u"--png", u"x.png", u"--skin", u"s"}).options);  // no --layouts
  EXPECT_FALSE(Parse({u"--out", u"d"}).options);  // no skin or layouts
  EXPECT_FALSE(Parse({u"--skin", u"s", u"--layouts", u"l", u"--out", u"d", u"--hover", u"1"}).options);
  EXPECT_FALSE(Parse({u"--out", u"d", u"--layout", u"x", u"--png", u"p", u"--skin", u"s", u"--layouts", u"l"}).options);
  EXPECT_FALSE(Parse({u"--out"}).options);
  EXPECT_FALSE(Parse({u"--out", u"d", u"--out", u"e"}).options);
  EXPECT_FALSE(Parse({u"--out", u"d", u"--bogus"}).options);
  const auto bad_id = Parse({u"--skin", u"s", u"--layouts", u"l", u"--layout", u"x", u"--png", u"p", u"--press", u"12a"});
  EXPECT_FALSE(bad_id.options);
  EXPECT_NE(bad_id.error.find("--press"), std::string::npos);
  EXPECT_TRUE(Parse({u"--skin", u"s", u"--layouts", u"l", u"--out", u"d"}).options);
  EXPECT_TRUE(Parse({u"--help"}).options->help);
}

TEST(WindowPixels, OpaqueWindowsIgnoreAlphaAndLayeredOnesUnpremultiply) {
  const std::vector<std::uint32_t> words{0x00112233u, 0x80402010u, 0x00FFFFFFu, 0xFF0000FFu};
  const RgbaPicture opaque = picture_from_window_pixels(words, 2, 2, false);
  EXPECT_EQ(opaque.rgba, (std::vector<std::uint8_t>{0x11, 0x22, 0x33, 255, 0x40, 0x20, 0x10, 255, 255, 255, 255, 255,
                                                    0, 0, 255, 255}));
  const RgbaPicture layered = picture_from_window_pixels(words, 2, 2, true);
  // 0x40 * 255 / 0x80 = 127.5 -> 128; alpha 0 drops the colour GDI left there.
  EXPECT_EQ(layered.rgba, (std::vector<std::uint8_t>{0, 0, 0, 0, 128, 64, 32, 128, 0, 0, 0, 0, 0, 0, 255, 255}));
}

TEST(WindowPixels, TooFewWordsGiveAnEmptyPicture) {
  EXPECT_TRUE(picture_from_window_pixels({1, 2, 3}, 2, 2, false).rgba.empty());
  EXPECT_TRUE(picture_from_window_pixels({}, 0, 5, true).rgba.empty());
}

TEST(DrawOver, OpaquePixelsReplaceTransparentOnesBlendAndEdgesAreCut) {
  RgbaPicture below{3, 1, {10, 20, 30, 255, 0, 0, 0, 0, 100, 100, 100, 255}};
  const RgbaPicture above{2, 1, {200, 0, 0, 255, 0, 0, 200, 128}};
  draw_over(below, above, 1, 0);
  // Pixel 0 untouched; pixel 1 was transparent and takes the red; pixel 2 is
  // half blue over grey.
  EXPECT_EQ(below.rgba, (std::vector<std::uint8_t>{10, 20, 30, 255, 200, 0, 0, 255, 50, 50, 150, 255}));
  draw_over(below, above, -1, 0);  // only above's second pixel lands, on pixel 0
  EXPECT_EQ(below.rgba[0], 5);
  EXPECT_EQ(below.rgba[2], 115);
  draw_over(below, above, 3, 0);  // entirely outside: nothing changes
  EXPECT_EQ(below.rgba[4], 200);
}

TEST(Png, EncodedPicturesDecodeToTheSamePixels) {
  const RgbaPicture p = picture_from_window_pixels({0x80402010u, 0xFF00FF00u}, 2, 1, true);
  const std::vector<std::uint8_t> png = encode_png(p);
  ASSERT_FALSE(png.empty());
  int w = 0, h = 0, n = 0;
  unsigned char* back = stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &w, &h, &n, 4);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(std::vector<std::uint8_t>(back, back + 8), p.rgba);
  stbi_image_free(back);
  EXPECT_TRUE(encode_png(RgbaPicture{}).empty());
}

}  // namespace
}  // namespace vcam::gallery
