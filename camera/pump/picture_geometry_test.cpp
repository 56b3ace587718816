#include "camera/pump/picture_geometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace vcam::camera {
namespace {

struct Size {
  std::int32_t w, h;
};
constexpr Size kOffered[10] = {{640, 480}, {800, 600}, {480, 360},  {320, 240},  {160, 120},
                               {640, 360}, {800, 448}, {960, 544}, {1280, 720}, {1920, 1080}};

TEST(PictureGeometry, DibStrideRoundsThreeBytesAPixelUpToFour) {
  EXPECT_EQ(dib_stride24(640), 1920u);
  EXPECT_EQ(dib_stride24(1), 4u);
  EXPECT_EQ(dib_stride24(5), 16u);
  EXPECT_EQ(dib_stride24(960), 2880u);
  EXPECT_EQ(dib_stride24(0), 0u);
  EXPECT_EQ(dib_stride24(-4), 0u);
}

TEST(PictureGeometry, WideSizesUseTheMiddleBandOfTheBuiltinPicture) {
  const bool band[10] = {false, false, false, false, false, true, true, true, true, true};
  for (int i = 0; i < 10; ++i) {
    const PlaceholderBand b = placeholder_band(kOffered[i].w, kOffered[i].h);
    SCOPED_TRACE(std::to_string(kOffered[i].w) + "x" + std::to_string(kOffered[i].h));
    if (band[i]) {
      EXPECT_EQ(b.offset, 253440u);
      EXPECT_EQ(b.rows, 544);
    } else {
      EXPECT_EQ(b.offset, 0u);
      EXPECT_EQ(b.rows, 720);
    }
  }
}

TEST(PictureGeometry, BandChoiceLooksAtTheHeightMagnitude) {
  EXPECT_EQ(placeholder_band(1280, -720).rows, 544);
  EXPECT_EQ(placeholder_band(480, -360).rows, 720);
  EXPECT_EQ(placeholder_band(123, 448).rows, 544);
  EXPECT_EQ(placeholder_band(640, 361).rows, 720);
  EXPECT_EQ(placeholder_band(640, INT_MIN).rows, 720);
}

TEST(PictureGeometry, OnlyExact16To9SizesGetAWorkPicture) {
  for (const Size& s : kOffered) {
    const WorkGeometry g = work_geometry(s.w, s.h);
    const bool exact = (s.w == 640 && s.h == 360) || (s.w == 1280 && s.h == 720) || (s.w == 1920 && s.h == 1080);
    EXPECT_EQ(g.present(), exact) << s.w << "x" << s.h;
  }
}

TEST(PictureGeometry, WorkPictureIsFourThirdsAndCropsTheMiddle) {
  const WorkGeometry hd = work_geometry(1280, 720);
  EXPECT_EQ(hd.width, 1280);
  EXPECT_EQ(hd.height, 960);
  EXPECT_EQ(hd.size, 3686400u);
  EXPECT_EQ(hd.crop_offset, 460800u);
  EXPECT_EQ(hd.crop_offset + 1280u * 720 * 3 + hd.crop_offset, hd.size);

  const WorkGeometry full = work_geometry(1920, 1080);
  EXPECT_EQ(full.height, 1440);
  EXPECT_EQ(full.crop_offset, 180u * 5760);

  const WorkGeometry small = work_geometry(640, 360);
  EXPECT_EQ(small.height, 480);
  EXPECT_EQ(small.crop_offset, 60u * 1920);
}

TEST(PictureGeometry, OddRowDifferenceCropsAtARowBoundary) {
  const WorkGeometry g = work_geometry(16, 9);  // work 16 x 12: 3 spare rows
  EXPECT_EQ(g.height, 12);
  EXPECT_EQ(g.crop_offset, 1u * 48);
}

TEST(PictureGeometry, DegenerateSizesGetNoWorkPicture) {
  EXPECT_FALSE(work_geometry(0, 0).present());
  EXPECT_FALSE(work_geometry(-16, -9).present());
  EXPECT_FALSE(work_geometry(1280, -720).present());
}

}  // namespace
}  // namespace vcam::camera
