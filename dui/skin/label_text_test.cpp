// Label text reaches the painter with its format, colour and alpha repair.
#include <gtest/gtest.h>

#include "dui/skin/label_text.h"
#include "dui/testing/recording_painter.h"

namespace vcam::dui {
namespace {

using Log = std::vector<std::string>;

TEST(LabelText, FormatsAreTheToolkitsDrawTextValues) {
  EXPECT_EQ(LabelFormat::Left, 0x824u);
  EXPECT_EQ(LabelFormat::Centred, 0x825u);
  EXPECT_EQ(LabelFormat::RightAligned, 0x826u);
  EXPECT_EQ(LabelFormat::Button, 0x25u);
  EXPECT_EQ(LabelFormat::Check, 0x24u);
  EXPECT_EQ(LabelFormat::Measure, 0x420u);
}

TEST(LabelText, ColourIsHandedOnUnchangedAndEmptyTextDrawsNothing) {
  testing::RecordingPainter p;
  DrawLabelText(p, {0, 0, 50, 20}, u"Hi", nullptr, 0x00B4AE00, LabelFormat::Centred, true);
  DrawLabelTextLeft(p, {1, 2, 3, 4}, u"x", nullptr, 0x123456, false);
  DrawLabelText(p, {0, 0, 50, 20}, u"", nullptr, 0, LabelFormat::Centred, true);
  DrawLabelText(p, {5, 5, 5, 20}, u"empty rect", nullptr, 0, LabelFormat::Centred, true);
  EXPECT_EQ(p.log, (Log{"text Hi 0,0,50,20 colour=b4ae00 format=825 fixalpha", "text x 1,2,3,4 colour=123456 format=824"}));
}

}  // namespace
}  // namespace vcam::dui
