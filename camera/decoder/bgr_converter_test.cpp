#include "camera/decoder/bgr_converter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "camera/decoder/dib_stride.h"

namespace vcam::camera {
namespace {

struct Bgr {
  int b, g, r;
  bool operator==(const Bgr&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Bgr& c) { return out << c.b << " " << c.g << " " << c.r; }

int clamp255(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, 0, 255)); }

// BT.601 full range in 16.16 fixed point, straight from the formulas.
Bgr bt601(int y, int cb, int cr) {
  const std::int64_t u = cb - 128;
  const std::int64_t v = cr - 128;
  const std::int64_t luma = static_cast<std::int64_t>(y) * 65536 + 32768;
  return {clamp255((luma + 116130 * u) >> 16), clamp255((luma - 22554 * u - 46802 * v) >> 16),
          clamp255((luma + 91881 * v) >> 16)};
}

class Converter : public ::testing::Test {
 protected:
  void convert(const YCbCrPlanes& planes) {
    picture_.assign(dib_stride24(planes.width) * static_cast<std::size_t>(planes.height), 0);
    convert_to_bottom_up_bgr(planes, picture_.data());
    width_ = planes.width;
    height_ = planes.height;
  }
  // Pixel (x, y) counted from the top.
  Bgr at(int x, int y) const {
    const std::uint8_t* p = picture_.data() + static_cast<std::size_t>(height_ - 1 - y) * dib_stride24(width_) +
                            static_cast<std::size_t>(x) * 3;
    return {p[0], p[1], p[2]};
  }

  std::vector<std::uint8_t> picture_;
  int width_ = 0;
  int height_ = 0;
};

void fill(YCbCrPlanes& planes, int y, int cb, int cr) {
  std::memset(planes.y.get(), y, planes.luma_size());
  std::memset(planes.cb.get(), cb, planes.chroma_size());
  std::memset(planes.cr.get(), cr, planes.chroma_size());
}

TEST_F(Converter, FlatPlanesGiveTheBt601ColourIncludingClamping) {
  YCbCrPlanes planes(16, 16);
  const int values[] = {0, 1, 16, 100, 128, 200, 235, 254, 255};
  for (int y : values) {
    for (int cb : values) {
      for (int cr : values) {
        fill(planes, y, cb, cr);
        convert(planes);
        ASSERT_EQ(at(0, 0), bt601(y, cb, cr)) << y << " " << cb << " " << cr;
        ASSERT_EQ(at(15, 15), bt601(y, cb, cr)) << y << " " << cb << " " << cr;
      }
    }
  }
  fill(planes, 128, 255, 0);
  convert(planes);
  EXPECT_EQ(at(7, 7), (Bgr{255, 176, 0}));  // worked by hand from the formulas
}

TEST_F(Converter, TopRowOfThePictureIsTheLastRowInMemory) {
  YCbCrPlanes planes(32, 16);
  fill(planes, 0, 128, 128);
  for (int row = 0; row < 16; ++row) std::memset(planes.y.get() + row * 32, row * 10, 32);
  convert(planes);
  EXPECT_EQ(picture_.size(), 96u * 16);
  for (int row = 0; row < 16; ++row) {
    const std::uint8_t* memory_row = picture_.data() + static_cast<std::size_t>(15 - row) * 96;
    for (int i = 0; i < 96; ++i) ASSERT_EQ(memory_row[i], row * 10) << row << " " << i;
  }
}

TEST_F(Converter, ChromaColumnsAreBlendedThreeToOne) {
  // Cb: columns 0..3 at 0, 4..7 at 240, every row alike. Y and Cr neutral.
  YCbCrPlanes planes(16, 16);
  fill(planes, 128, 0, 128);
  for (int row = 0; row < 8; ++row) std::memset(planes.cb.get() + row * 8 + 4, 240, 4);
  convert(planes);
  // Column sums are 4 x chroma (near and far rows equal). Pixel 2k+1 is
  // (3 cs[k] + cs[k+1] + 8) >> 4, pixel 2k+2 is (cs[k] + 3 cs[k+1] + 8) >> 4,
  // the ends (cs + 2) >> 2.
  const int expected_cb[16] = {0, 0, 0, 0, 0, 0, 0, 60, 180, 240, 240, 240, 240, 240, 240, 240};
  for (int y : {0, 5, 15}) {
    for (int x = 0; x < 16; ++x) EXPECT_EQ(at(x, y), bt601(128, expected_cb[x], 128)) << x << "," << y;
  }
}

TEST_F(Converter, ChromaRowsAreBlendedWithTheNearerAndTheFartherRow) {
  // Cr: rows 0..3 at 0, rows 4..7 at 240, every column alike.
  YCbCrPlanes planes(16, 16);
  fill(planes, 128, 128, 0);
  std::memset(planes.cr.get() + 32, 240, 32);
  convert(planes);
  // Output row 7: near chroma row 3, far row 4: (3 x 0 + 240) -> 60;
  // row 8: near 4, far 3: (720) -> 180. Rows 0 and 15 use only their near row.
  const int expected_cr[16] = {0, 0, 0, 0, 0, 0, 0, 60, 180, 240, 240, 240, 240, 240, 240, 240};
  for (int y = 0; y < 16; ++y) {
    EXPECT_EQ(at(0, y), bt601(128, 128, expected_cr[y])) << y;
    EXPECT_EQ(at(9, y), bt601(128, 128, expected_cr[y])) << y;
  }
}

TEST_F(Converter, OddRowsBlendWithTheRowBelowAndEvenRowsWithTheRowAbove) {
  YCbCrPlanes planes(16, 16);
  fill(planes, 128, 128, 0);
  std::memset(planes.cr.get() + 24, 160, 8);  // chroma row 3 only
  convert(planes);
  // Rows 5 and 6 take row 3 as far row, rows 7 and 8 ... : row 5 = near 2,
  // far 3 -> 40; row 6 = near 3, far 2 -> 120; row 7 = near 3, far 4 -> 120;
  // row 8 = near 4, far 3 -> 40; rows 4 and 9 do not see it.
  const int expected_cr[16] = {0, 0, 0, 0, 0, 40, 120, 120, 40, 0, 0, 0, 0, 0, 0, 0};
  for (int y = 0; y < 16; ++y) EXPECT_EQ(at(3, y), bt601(128, 128, expected_cr[y])) << y;
}

}  // namespace
}  // namespace vcam::camera
