// The placeholder stretched by GDI: the band of the built-in picture that each
// offered size shows, and the build from the decoded picture.
#include "camera/pump/win/gdi_placeholder_builder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "camera/decoder/placeholder_decoder.h"
#include "camera/pump/picture_geometry.h"

namespace vcam::camera {
namespace {

struct Size {
  std::int32_t w, h;
  bool band;
};
constexpr Size kOffered[10] = {{640, 480, false},  {800, 600, false}, {480, 360, false}, {320, 240, false},
                               {160, 120, false},  {640, 360, true},  {800, 448, true},  {960, 544, true},
                               {1280, 720, true}, {1920, 1080, true}};

// A 960 x 720 bottom-up picture whose pixels name their place: blue is the
// column / 4, green and red the row counted from the top (row = red x 256 + green).
std::vector<std::uint8_t> coordinate_picture() {
  std::vector<std::uint8_t> p(kPlaceholderDecodeBufferSize);
  for (int row = 0; row < 720; ++row) {
    const int top_row = 719 - row;
    for (int x = 0; x < 960; ++x) {
      std::uint8_t* px = p.data() + row * 2880 + x * 3;
      px[0] = static_cast<std::uint8_t>(x / 4);
      px[1] = static_cast<std::uint8_t>(top_row % 256);
      px[2] = static_cast<std::uint8_t>(top_row / 256);
    }
  }
  return p;
}

// The source row (from the top) shown in output row y (from the top).
int source_row(const std::vector<std::uint8_t>& out, const Size& s, int y) {
  const std::uint8_t* px = out.data() + static_cast<std::size_t>(s.h - 1 - y) * dib_stride24(s.w) + (s.w / 2) * 3;
  return px[2] * 256 + px[1];
}

TEST(GdiPlaceholder, WideSizesShowTheMiddleBandAndTheOthersTheWholePicture) {
  const std::vector<std::uint8_t> picture = coordinate_picture();
  for (const Size& s : kOffered) {
    SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h));
    std::vector<std::uint8_t> out(dib_stride24(s.w) * s.h);
    ASSERT_TRUE(GdiPlaceholderBuilder::stretch(picture.data(), s.w, s.h, out.data(), out.size()));
    const int first = s.band ? 88 : 0, rows = s.band ? 544 : 720;
    // Dropping lines picks one source row per output row, within one step of the ideal.
    const int step = (rows + s.h - 1) / s.h;
    const int top = source_row(out, s, 0), last = source_row(out, s, s.h - 1);
    EXPECT_GE(top, first);
    EXPECT_LE(top, first + step);
    EXPECT_LE(last, first + rows - 1);
    EXPECT_GE(last, first + rows - 1 - step);
    EXPECT_NEAR(source_row(out, s, s.h / 2), first + rows / 2, step + 1);
    // Columns: the whole width, stretched (blue is the column / 4).
    const std::uint8_t* mid = out.data() + static_cast<std::size_t>(s.h / 2) * dib_stride24(s.w);
    const int column_step = (960 + s.w - 1) / s.w;
    EXPECT_LE(mid[0], column_step / 4 + 1);
    EXPECT_GE(mid[(s.w - 1) * 3], 239 - column_step / 4 - 1);
  }
}

TEST(GdiPlaceholder, CopiesNoMoreThanTheBufferHolds) {
  const std::vector<std::uint8_t> picture = coordinate_picture();
  std::vector<std::uint8_t> out(1000 + 16, 0xCD);
  ASSERT_TRUE(GdiPlaceholderBuilder::stretch(picture.data(), 640, 480, out.data(), 1000));
  for (std::size_t i = 1000; i < out.size(); ++i) ASSERT_EQ(out[i], 0xCD);
}

TEST(GdiPlaceholder, RefusesWithoutAPictureOrASize) {
  std::vector<std::uint8_t> out(64, 0xCD);
  EXPECT_FALSE(GdiPlaceholderBuilder::stretch(nullptr, 4, 4, out.data(), out.size()));
  const std::vector<std::uint8_t> picture = coordinate_picture();
  EXPECT_FALSE(GdiPlaceholderBuilder::stretch(picture.data(), 0, 4, out.data(), out.size()));
  EXPECT_FALSE(GdiPlaceholderBuilder::stretch(picture.data(), 4, 0, out.data(), out.size()));
  EXPECT_EQ(out[0], 0xCD);
}

TEST(GdiPlaceholder, BuildStretchesTheDecodedBuiltinPictureAtEveryOfferedSize) {
  std::vector<std::uint8_t> decoded(kPlaceholderDecodeBufferSize);
  PlaceholderDecoder decoder;
  const auto jpeg = builtin_placeholder_jpeg();
  ASSERT_TRUE(decoder.decode(jpeg.data(), jpeg.size(), decoded.data()));
  GdiPlaceholderBuilder builder;
  for (const Size& s : kOffered) {
    SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h));
    const std::size_t size = dib_stride24(s.w) * s.h;
    std::vector<std::uint8_t> built(size), expected(size);
    ASSERT_TRUE(builder.build(s.w, s.h, built.data(), size));
    ASSERT_TRUE(GdiPlaceholderBuilder::stretch(decoded.data(), s.w, s.h, expected.data(), size));
    EXPECT_EQ(0, std::memcmp(built.data(), expected.data(), size));
    bool varied = false;
    for (std::size_t i = 3; i < size && !varied; i += 3) varied = built[i] != built[0];
    EXPECT_TRUE(varied) << "a picture, not a flat fill";
  }
}

}  // namespace
}  // namespace vcam::camera
