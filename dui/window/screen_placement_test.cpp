// Placing the window and its tooltip, and the tooltip's text buffer.
#include "dui/window/screen_placement.h"

#include <gtest/gtest.h>

#include <string>

#include "dui/window/tooltip_buffer.h"

namespace vcam::dui {
namespace {

TEST(ScreenPlacement, CentredOriginSitsFiftyPixelsAboveTheMiddle) {
  EXPECT_EQ(CenteredOrigin({1280, 1024}, {400, 300}), (Point{440, 312}));
  EXPECT_EQ(CenteredOrigin({1281, 1025}, {400, 300}), (Point{440, 312})) << "halves round down";
  EXPECT_EQ(CenteredOrigin({800, 600}, {1000, 700}), (Point{-100, -100})) << "larger than the screen";
}

TEST(ScreenPlacement, TooltipOpensBelowTheCursorAndStaysOnTheScreen) {
  EXPECT_EQ(TooltipOrigin({100, 200}, 10, 1280), (Point{100, 219}));
  // 14 * 10 + 2 = 142: ending exactly at the edge is allowed, one pixel more is not.
  EXPECT_EQ(TooltipOrigin({1138, 0}, 10, 1280), (Point{1138, 19}));
  EXPECT_EQ(TooltipOrigin({1139, 0}, 10, 1280), (Point{1138, 19}));
  EXPECT_EQ(TooltipOrigin({1270, 5}, 0, 1280), (Point{1270, 24}));
  EXPECT_EQ(TooltipOrigin({0, 0}, 100, 1280), (Point{-122, 19})) << "wider than the screen";
}

TEST(TooltipBuffer, CopiesAtMost127CharactersAndTerminates) {
  const std::u16string long_text(300, u'x');
  const char16_t* text = TooltipBuffer::Fill(long_text);
  EXPECT_EQ(std::u16string(text), std::u16string(127, u'x'));
  EXPECT_EQ(TooltipBuffer::Text(), text);
  EXPECT_EQ(std::u16string(TooltipBuffer::Fill(u"short")), u"short");
  EXPECT_EQ(std::u16string(TooltipBuffer::Fill(std::u16string(127, u'y'))).size(), 127u);
  EXPECT_EQ(std::u16string(TooltipBuffer::Fill(u"")), u"");
}

}  // namespace
}  // namespace vcam::dui
