// Decoding skin images: premultiplying, the keep-source mark, and refusals.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include "dui/skin/memory_texture.h"
#include "dui/skin/texture_decoder.h"
#include "dui/testing/test_png.h"

namespace vcam::dui {
namespace {

using testing::EncodePng;
using testing::Rgba;
using testing::SolidPng;

std::unique_ptr<Texture> MakeMemory(std::int32_t w, std::int32_t h) { return std::make_unique<MemoryTexture>(w, h); }

std::unique_ptr<Texture> Decode(const std::string& bytes, bool premultiply = true) {
  return DecodeTexture(bytes, premultiply, &MakeMemory);
}

TEST(TextureDecoder, PixelsArePremultipliedWordsInRowOrder) {
  const std::string png = EncodePng(2, 2, {{200, 100, 50, 128}, {1, 2, 3, 255}, {255, 255, 255, 0}, {255, 0, 0, 1}});
  auto t = Decode(png);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->width(), 2);
  EXPECT_EQ(t->height(), 2);
  EXPECT_TRUE(t->has_alpha());
  EXPECT_EQ(t->pixels()[0], 0x80643219u) << "(200,100,50,128) -> (100,50,25,128)";
  EXPECT_EQ(t->pixels()[1], 0xFF010203u) << "opaque pixels keep their colour";
  EXPECT_EQ(t->pixels()[2], 0x00000000u) << "alpha 0 clears the word";
  EXPECT_EQ(t->pixels()[3], 0x01010000u) << "255 * 1 / 255 = 1";
  EXPECT_FALSE(t->keeps_source());
}

TEST(TextureDecoder, UnpremultipliedLoadKeepsColoursButStillMarksAlpha) {
  auto t = Decode(EncodePng(2, 1, {{200, 100, 50, 128}, {9, 8, 7, 0}}), false);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->pixels()[0], 0x80C86432u);
  EXPECT_EQ(t->pixels()[1], 0x00090807u);
  EXPECT_TRUE(t->has_alpha());
}

TEST(TextureDecoder, AllOpaqueImageHasNoAlphaAndOneTransparentPixelSwitchesIt) {
  std::vector<Rgba> pixels(16, Rgba{10, 20, 30, 255});
  auto opaque = Decode(EncodePng(4, 4, pixels));
  ASSERT_NE(opaque, nullptr);
  EXPECT_FALSE(opaque->has_alpha());
  pixels[15].a = 254;
  auto one = Decode(EncodePng(4, 4, pixels));
  ASSERT_NE(one, nullptr);
  EXPECT_TRUE(one->has_alpha());
}

TEST(TextureDecoder, KeepSourceMarkKeepsTheRgbaBytesAndIsSkippedForDecoding) {
  const std::string png = EncodePng(2, 1, {{200, 100, 50, 128}, {1, 2, 3, 4}});
  auto t = Decode(std::string(1, '\x01') + png);
  ASSERT_NE(t, nullptr);
  ASSERT_TRUE(t->keeps_source());
  EXPECT_EQ(t->source(), (std::vector<std::uint8_t>{200, 100, 50, 128, 1, 2, 3, 4})) << "unpremultiplied RGBA";
  EXPECT_EQ(t->pixels()[0], 0x80643219u);
}

TEST(TextureDecoder, PremultiplyMatchesFloorDivisionForEveryChannelAndAlpha) {
  for (std::uint32_t a = 0; a < 256; ++a)
    for (std::uint32_t c = 0; c < 256; ++c) {
      const std::uint32_t word = a << 24 | c << 16 | (255 - c) << 8 | c / 2;
      const std::uint32_t expected =
          a == 255 ? word : a == 0 ? 0 : (a << 24 | (c * a / 255) << 16 | ((255 - c) * a / 255) << 8 | (c / 2 * a / 255));
      ASSERT_EQ(PremultiplyPixel(word), expected) << a << " " << c;
    }
}

TEST(TextureDecoder, RefusesWhatIsNoImage) {
  EXPECT_EQ(Decode(""), nullptr);
  EXPECT_EQ(Decode("\x01"), nullptr) << "the mark alone";
  EXPECT_EQ(Decode("not an image at all"), nullptr);
  const std::string png = SolidPng(8, 8, {1, 2, 3, 255});
  EXPECT_EQ(Decode(png.substr(0, 8)), nullptr) << "signature only";
  EXPECT_EQ(Decode(png.substr(0, png.size() / 2)), nullptr) << "truncated data";
  EXPECT_EQ(Decode("P6\n1 1\n255\n\x01\x02\x03"), nullptr) << "a PNM image: a format skins do not use";
}

TEST(TextureDecoder, JpegIsRefusedThoughStbCouldDecodeIt) {
  std::string jpeg;
  const unsigned char rgb[12] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
  stbi_write_jpg_to_func([](void* c, void* d, int n) { static_cast<std::string*>(c)->append(static_cast<char*>(d), n); },
                         &jpeg, 2, 2, 3, rgb, 90);
  int w = 0, h = 0, n = 0;
  stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(jpeg.data()), static_cast<int>(jpeg.size()),
                                          &w, &h, &n, 4);
  ASSERT_NE(pixels, nullptr);
  stbi_image_free(pixels);
  EXPECT_EQ(Decode(jpeg), nullptr);
}

TEST(TextureDecoder, BmpImagesAreAccepted) {
  // 1 x 1, 32 bits, bottom-up, one pixel B=3 G=2 R=1 A=255 with alpha in the top byte.
  std::string bmp = "BM";
  auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp.push_back(static_cast<char>(v >> (8 * i)));
  };
  put(58, 4), put(0, 4), put(54, 4);                          // file header
  put(40, 4), put(1, 4), put(1, 4), put(1, 2), put(24, 2);    // info header, 24 bits
  put(0, 4), put(4, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4);
  put(0x010203, 3), put(0, 1);                                // one pixel and row padding
  auto t = Decode(bmp);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->pixels()[0], 0xFF010203u);
  EXPECT_FALSE(t->has_alpha());
}

// A PNG signature and IHDR chunk (CRC included) claiming the given size,
// with no image data after it.
std::string PngHeader(std::uint32_t w, std::uint32_t h) {
  std::string png = SolidPng(1, 1, {0, 0, 0, 255});
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) png[at + i] = static_cast<char>(v >> (24 - 8 * i));
  };
  put32(16, w);
  put32(20, h);
  // CRC over the chunk type and data, so only the size is wrong.
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 12; i < 29; ++i) {
    crc ^= static_cast<unsigned char>(png[i]);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  put32(29, ~crc);
  return png;
}

TEST(TextureDecoder, RefusesSidesAboveTheLimitBeforeDecoding) {
  int made = 0;
  const TextureMaker counting = [&](std::int32_t w, std::int32_t h) {
    ++made;
    return MakeMemory(w, h);
  };
  EXPECT_EQ(DecodeTexture(PngHeader(16385, 1), true, counting), nullptr);
  EXPECT_EQ(DecodeTexture(PngHeader(1, 16385), true, counting), nullptr);
  EXPECT_EQ(DecodeTexture(PngHeader(0x7FFFFFFF, 0x7FFFFFFF), true, counting), nullptr);
  EXPECT_EQ(made, 0);
  EXPECT_EQ(DecodeTexture(SolidPng(9, 3, {1, 1, 1, 255}), true, counting, 8), nullptr) << "a lower limit";
  EXPECT_NE(DecodeTexture(SolidPng(8, 3, {1, 1, 1, 255}), true, counting, 8), nullptr);
  EXPECT_EQ(made, 1);
}

TEST(TextureDecoder, RefusesAPngWhoseChunkClaimsMoreBytesThanFollow) {
  std::string png = SolidPng(3, 2, {1, 2, 3, 255});
  ASSERT_NE(Decode(png), nullptr);
  // The IDAT chunk right after IHDR (at 33) claims about 400 MB.
  ASSERT_EQ(png.substr(37, 4), "IDAT");
  std::string claimed = png;
  claimed[33] = 0x18;
  EXPECT_EQ(Decode(claimed), nullptr);
  EXPECT_EQ(Decode(png.substr(0, png.size() - 12)), nullptr) << "no IEND";
  EXPECT_NE(Decode(png + "trailing bytes"), nullptr) << "bytes after IEND are ignored";
}

TEST(TextureDecoder, TextureThePlatformCannotMakeGivesNull) {
  const TextureMaker failing = [](std::int32_t, std::int32_t) { return std::unique_ptr<Texture>(); };
  EXPECT_EQ(DecodeTexture(SolidPng(2, 2, {1, 1, 1, 255}), true, failing), nullptr);
}

}  // namespace
}  // namespace vcam::dui
