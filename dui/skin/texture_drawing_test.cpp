// Stretched, natural and nine-slice drawing of textures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dui/skin/memory_texture.h"
#include "dui/skin/texture_drawing.h"
#include "dui/testing/recording_painter.h"

namespace vcam::dui {
namespace {

using Log = std::vector<std::string>;
using testing::RecordingPainter;

TEST(NineSlice, FourPixelBordersOfA20By20ImageInto100By30) {
  MemoryTexture t(20, 20);
  RecordingPainter p;
  DrawNineSlice(p, t, {10, 5, 110, 35}, {4, 4, 4, 4});
  EXPECT_EQ(p.log, (Log{
                       "image 20x20 14,9,106,31 <- 4,4,16,16",     // centre 92 x 22 from 12 x 12
                       "image 20x20 10,5,14,9 <- 0,0,4,4",         // top-left
                       "image 20x20 14,5,106,9 <- 4,0,16,4",       // top
                       "image 20x20 106,5,110,9 <- 16,0,20,4",     // top-right
                       "image 20x20 106,9,110,31 <- 16,4,20,16",   // right
                       "image 20x20 106,31,110,35 <- 16,16,20,20", // bottom-right
                       "image 20x20 14,31,106,35 <- 4,16,16,20",   // bottom
                       "image 20x20 10,31,14,35 <- 0,16,4,20",     // bottom-left
                       "image 20x20 10,9,14,31 <- 0,4,4,16",       // left
                   }));
}

TEST(NineSlice, ZeroBordersSkipEveryEdgeAndCorner) {
  MemoryTexture t(8, 6);
  RecordingPainter p;
  DrawNineSlice(p, t, {0, 0, 30, 20}, {0, 0, 0, 0});
  EXPECT_EQ(p.log, (Log{"image 8x6 0,0,30,20 <- 0,0,8,6"}));
  p.log.clear();
  DrawNineSlice(p, t, {0, 0, 30, 20}, {2, 0, 0, 0});
  EXPECT_EQ(p.log, (Log{"image 8x6 2,0,30,20 <- 2,0,8,6", "image 8x6 0,0,2,20 <- 0,0,2,6"}));
}

TEST(NineSlice, DestinationNarrowerThanTheBordersCutsTheCorners) {
  // 6 pixels for borders of 4 + 4: no centre, the left corner keeps 4, the right gets 2.
  const std::vector<SlicePiece> pieces = NineSlicePieces(20, 20, {0, 0, 6, 10}, {4, 4, 4, 4});
  for (const SlicePiece& piece : pieces) {
    EXPECT_FALSE(piece.dst.empty());
    EXPECT_FALSE(piece.src.empty());
    EXPECT_GE(piece.dst.left, 0);
    EXPECT_LE(piece.dst.right, 6);
    EXPECT_GE(piece.src.left, 0);
    EXPECT_LE(piece.src.right, 20);
    EXPECT_LE(piece.dst.bottom, 10);
  }
  MemoryTexture t(20, 20);
  RecordingPainter p;
  DrawNineSlice(p, t, {0, 0, 6, 10}, {4, 4, 4, 4});
  EXPECT_EQ(p.log, (Log{"image 20x20 0,0,4,4 <- 0,0,4,4", "image 20x20 4,0,6,4 <- 18,0,20,4",
                        "image 20x20 4,4,6,6 <- 18,4,20,16", "image 20x20 4,6,6,10 <- 18,16,20,20",
                        "image 20x20 0,6,4,10 <- 0,16,4,20", "image 20x20 0,4,4,6 <- 0,4,4,16"}));
}

TEST(NineSlice, DegenerateInputsDrawNothingOrStayInsideTheTexture) {
  MemoryTexture t(10, 10);
  RecordingPainter p;
  DrawNineSlice(p, t, {5, 5, 5, 20}, {1, 1, 1, 1});
  DrawNineSlice(p, t, {5, 5, 0, 0}, {1, 1, 1, 1});
  EXPECT_TRUE(p.log.empty());
  // Borders wider than the texture and negative ones are clamped.
  for (const SlicePiece& piece : NineSlicePieces(10, 10, {0, 0, 50, 50}, {30, -5, 30, 40})) {
    EXPECT_GE(piece.src.left, 0);
    EXPECT_LE(piece.src.right, 10);
    EXPECT_GE(piece.src.top, 0);
    EXPECT_LE(piece.src.bottom, 10);
    EXPECT_FALSE(piece.src.empty());
    EXPECT_FALSE(piece.dst.empty());
  }
  EXPECT_TRUE(NineSlicePieces(0, 10, {0, 0, 5, 5}, {}).empty());
}

TEST(TextureDrawing, StretchedAndNatural) {
  MemoryTexture t(7, 3);
  RecordingPainter p;
  DrawStretched(p, t, {1, 2, 31, 42});
  DrawNatural(p, t, -2, 5);
  EXPECT_EQ(p.log, (Log{"image 7x3 1,2,31,42 <- 0,0,7,3", "image 7x3 -2,5,5,8 <- 0,0,7,3"}));
}

}  // namespace
}  // namespace vcam::dui
