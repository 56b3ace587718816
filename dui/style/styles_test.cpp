// What each style class draws for a control's state, recorded without a screen.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dui/core/attribute_names.h"
#include "dui/load/memory_file_source.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/skin/memory_texture.h"
#include "dui/style/scroll_bar_parts.h"
#include "dui/style/slider_parts.h"
#include "dui/style/style_background.h"
#include "dui/style/style_button.h"
#include "dui/style/style_button_ex.h"
#include "dui/style/style_check_button.h"
#include "dui/style/style_check_button_ex.h"
#include "dui/style/style_combo_box.h"
#include "dui/style/style_drawing.h"
#include "dui/style/style_edit.h"
#include "dui/style/style_icon_button.h"
#include "dui/style/style_scroll_bar.h"
#include "dui/style/style_slider.h"
#include "dui/style/style_toggle_button.h"
#include "dui/style/style_toggle_icon_button.h"
#include "dui/testing/recording_painter.h"
#include "dui/testing/test_platform.h"

namespace vcam::dui {
namespace {

using Log = std::vector<std::string>;
using testing::RecordingPainter;
constexpr std::uint32_t kEnabled = ControlFlags::Enabled;

class Styles : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Initialize(u"styles", std::make_unique<testing::TestPlatform>(state_)));
    auto pack = std::make_unique<MemoryFileSource>();
    pack->Put(u"font.xml", R"(<F><Font name="Default" size="12"/><Font name="Big" size="20"/></F>)");
    UiRuntime::Instance()->SetSkinSource(std::move(pack));
  }
  void TearDown() override { Shutdown(); }

  // An image of w x h under `name`; the recording shows its size.
  static void Image(const char16_t* name, std::int32_t w, std::int32_t h) {
    UiRuntime::Instance()->skins()->PutImage(name, std::make_unique<MemoryTexture>(w, h));
  }
  static void Flags(Control& c, std::uint32_t flags) {
    c.SetFlag(0xFFFFFFFFu, false);
    c.SetFlag(flags, true);
  }

  testing::TestPlatformState state_;
  RecordingPainter painter_;
};

TEST_F(Styles, StateSkinFollowsTheFlagsInOrder) {
  Image(u"up", 1, 1);
  Image(u"down", 2, 2);
  Image(u"over", 3, 3);
  Image(u"off", 4, 4);
  Style style;
  style.SetString(attr::upSkin, u"up");
  style.SetString(attr::downSkin, u"down");
  style.SetString(attr::overSkin, u"over");
  style.SetString(attr::disabledSkin, u"off");
  Control c;
  const Rect r{0, 0, 10, 10};
  const std::vector<std::pair<std::uint32_t, std::string>> cases = {
      {kEnabled, "1x1"},
      {kEnabled | ControlFlags::Hover, "3x3"},
      {kEnabled | ControlFlags::Focused, "3x3"},
      {kEnabled | ControlFlags::Pressed | ControlFlags::Hover, "2x2"},
      {kEnabled | ControlFlags::Checked, "2x2"},
      {ControlFlags::Pressed | ControlFlags::Hover, "4x4"},
  };
  for (const auto& [flags, size] : cases) {
    painter_.log.clear();
    Flags(c, flags);
    style.Draw(painter_, r, c);
    EXPECT_EQ(painter_.log, (Log{"image " + size + " 0,0,10,10 <- 0,0," + size.substr(0, 1) + "," + size.substr(2)}))
        << std::hex << flags;
  }
}

TEST_F(Styles, DisabledStateChoosesTheDisabledSkinAndAMissingOverSkinDrawsNothing) {
  Image(u"up", 5, 5);
  Image(u"dis", 6, 6);
  Style_Edit style;
  style.SetString(attr::upSkin, u"up");
  style.SetString(attr::disabledSkin, u"dis");
  Control c;
  Flags(c, 0);
  style.Draw(painter_, {0, 0, 6, 6}, c);
  Flags(c, kEnabled | ControlFlags::Hover);
  style.Draw(painter_, {0, 0, 6, 6}, c);
  EXPECT_EQ(painter_.log, (Log{"image 6x6 0,0,6,6 <- 0,0,6,6"}));
}

TEST_F(Styles, ScaleGridMakesANineSlice) {
  Image(u"bg", 20, 20);
  Style_Background style;
  style.SetString(attr::img, u"bg");
  Control c;
  style.Draw(painter_, {0, 0, 100, 30}, c);
  EXPECT_EQ(painter_.log, (Log{"image 20x20 0,0,100,30 <- 0,0,20,20"}));
  painter_.log.clear();
  style.SetRect(attr::scaleGrid, {4, 4, 4, 4});
  style.Draw(painter_, {0, 0, 100, 30}, c);
  ASSERT_EQ(painter_.log.size(), 9u);
  EXPECT_EQ(painter_.log[0], "image 20x20 4,4,96,26 <- 4,4,16,16");
}

TEST_F(Styles, ButtonTextColourFormatAndAlphaRepair) {
  Image(u"up", 8, 8);
  Style_Button style;
  style.SetString(attr::upSkin, u"up");
  Control c;
  c.SetText(u"OK");
  style.Draw(painter_, {10, 10, 60, 30}, c);
  painter_.layered = true;
  style.SetValue(attr::textColor, 0x00FF8000);
  style.Draw(painter_, {10, 10, 60, 30}, c);
  EXPECT_EQ(painter_.log, (Log{"image 8x8 10,10,60,30 <- 0,0,8,8", "text OK 10,10,60,30 colour=333333 format=25",
                               "image 8x8 10,10,60,30 <- 0,0,8,8",
                               "text OK 10,10,60,30 colour=ff8000 format=25 fixalpha"}));
}

TEST_F(Styles, OnlyDownOffsetOneMovesPressedText) {
  Style_Button style;
  Control c;
  c.SetText(u"Go");
  Flags(c, kEnabled | ControlFlags::Pressed);
  for (std::int32_t offset : {0, 1, 2}) {
    style.SetValue(attr::downOffset, offset);
    style.Draw(painter_, {0, 0, 40, 20}, c);
  }
  Flags(c, kEnabled);
  style.Draw(painter_, {0, 0, 40, 20}, c);
  EXPECT_EQ(painter_.log, (Log{"text Go 0,0,40,20 colour=333333 format=25", "text Go 1,1,41,21 colour=333333 format=25",
                               "text Go 0,0,40,20 colour=333333 format=25",
                               "text Go 0,0,40,20 colour=333333 format=25"}));
}

TEST_F(Styles, ButtonTextUsesTheControlsFont) {
  Control c;
  EXPECT_EQ(ControlFont(c), UiRuntime::Instance()->GetFont(u"Default"));
  c.SetString(attr::font, u"Big");
  EXPECT_EQ(ControlFont(c), UiRuntime::Instance()->GetFont(u"Big"));
  EXPECT_NE(ControlFont(c), nullptr);
  c.SetString(attr::font, u"Nope");
  EXPECT_EQ(ControlFont(c), nullptr) << "unknown: the window's font stays";
}

TEST_F(Styles, ToggleButtonHasCheckedVariantsStretchedAndNoAlphaRepair) {
  for (const char16_t* name : {u"u", u"o", u"d", u"x", u"cu", u"co", u"cd", u"cx"}) Image(name, 1, 1);
  Style_ToggleButton style;
  style.SetString(attr::upSkin, u"u");
  style.SetString(attr::overSkin, u"o");
  style.SetString(attr::downSkin, u"d");
  style.SetString(attr::disabledSkin, u"x");
  style.SetString(attr::checkedUpSkin, u"cu");
  style.SetString(attr::checkedOverSkin, u"co");
  style.SetString(attr::checkedDownSkin, u"cd");
  style.SetString(attr::checkedDisabledSkin, u"cx");
  style.SetRect(attr::scaleGrid, {1, 1, 1, 1});
  painter_.layered = true;
  Control c;
  c.SetText(u"T");
  Flags(c, kEnabled | ControlFlags::Checked | ControlFlags::Focused);
  style.Draw(painter_, {0, 0, 9, 9}, c);
  EXPECT_EQ(painter_.log, (Log{"image 1x1 0,0,9,9 <- 0,0,1,1", "text T 0,0,9,9 colour=ffffff format=25"}))
      << "stretched even with scaleGrid; Focused is no state";
  // Which image was chosen: give each a different size.
  const std::vector<std::pair<std::uint32_t, const char16_t*>> cases = {
      {kEnabled, u"u"}, {kEnabled | ControlFlags::Hover, u"o"}, {kEnabled | ControlFlags::Pressed | ControlFlags::Hover, u"d"},
      {0, u"x"}, {kEnabled | ControlFlags::Checked, u"cu"}, {kEnabled | ControlFlags::Checked | ControlFlags::Hover, u"co"},
      {kEnabled | ControlFlags::Checked | ControlFlags::Pressed, u"cd"}, {ControlFlags::Checked, u"cx"}};
  std::int32_t size = 10;
  for (const auto& [flags, name] : cases) Image(name, size++, 1);
  size = 10;
  for (const auto& [flags, name] : cases) {
    painter_.log.clear();
    Flags(c, flags);
    style.Draw(painter_, {0, 0, 9, 9}, c);
    ASSERT_FALSE(painter_.log.empty());
    EXPECT_EQ(painter_.log[0].substr(0, 10), "image " + std::to_string(size++) + "x1") << std::hex << flags;
  }
}

TEST_F(Styles, CheckButtonIconAtTheLeftAndTextAfterTheGap) {
  Image(u"box", 14, 14);
  Image(u"tick", 14, 12);
  Style_CheckButton style;
  style.SetString(attr::upIcon, u"box");
  style.SetString(attr::checkedUpIcon, u"tick");
  Control c;
  c.SetText(u"Remember");
  style.Draw(painter_, {10, 20, 200, 50}, c);
  Flags(c, kEnabled | ControlFlags::Checked);
  style.SetValue(attr::iconGap, 6);
  painter_.layered = true;
  style.Draw(painter_, {10, 20, 200, 50}, c);
  EXPECT_EQ(painter_.log, (Log{"image 14x14 12,28,26,42 <- 0,0,14,14", "text Remember 28,20,200,50 colour=ffffff format=24",
                               "image 14x12 12,29,26,41 <- 0,0,14,12",
                               "text Remember 32,20,200,50 colour=ffffff format=24 fixalpha"}));
}

TEST_F(Styles, CheckButtonWithoutItsStateIconPlacesTheTextAsIfTheIconWereEmpty) {
  Style_CheckButton style;
  style.SetString(attr::upIcon, u"absent.png");
  Control c;
  c.SetText(u"A");
  style.Draw(painter_, {0, 0, 100, 20}, c);
  EXPECT_EQ(painter_.log, (Log{"text A 4,0,100,20 colour=ffffff format=24"}));
}

TEST_F(Styles, IconButtonPlacesIconAndMeasuredText) {
  Image(u"ic", 16, 16);
  Style_IconButton style;
  Control c;
  c.SetString(attr::icon, u"ic");
  c.SetText(u"Hello");  // 35 x 15 in the test metrics of font "Default" (size 12)
  style.Draw(painter_, {10, 0, 110, 40}, c);
  style.SetKeyword(attr::textPlacement, Keyword::Bottom);
  style.Draw(painter_, {0, 0, 100, 60}, c);
  style.SetKeyword(attr::textPlacement, Keyword::None);  // a value that is no keyword: the default
  Flags(c, kEnabled | ControlFlags::Pressed);
  style.SetValue(attr::downOffset, 1);
  style.Draw(painter_, {10, 0, 110, 40}, c);
  EXPECT_EQ(painter_.log, (Log{"image 16x16 33,12,49,28 <- 0,0,16,16", "text Hello 51,0,110,40 colour=0 format=24",
                               "image 16x16 42,13,58,29 <- 0,0,16,16", "text Hello 0,31,100,60 colour=0 format=21",
                               "image 16x16 33,12,49,28 <- 0,0,16,16", "text Hello 52,1,111,41 colour=0 format=24"}));
}

TEST_F(Styles, IconButtonWithoutAnIconFillsTheRectWithText) {
  Style_IconButton style;
  style.SetKeyword(attr::textPlacement, Keyword::Left);
  Control c;
  c.SetText(u"Only");
  style.Draw(painter_, {0, 0, 80, 20}, c);
  EXPECT_EQ(painter_.log, (Log{"text Only 0,0,80,20 colour=0 format=25"}));
}

TEST_F(Styles, ToggleIconButtonTakesTheOffIconAndTextWhileChecked) {
  Image(u"on", 10, 10);
  Image(u"offi", 12, 12);
  Image(u"bg", 3, 3);
  Image(u"bgdown", 4, 4);
  Style_ToggleIconButton style;
  style.SetString(attr::upSkin, u"bg");
  style.SetString(attr::downSkin, u"bgdown");
  style.SetKeyword(attr::textPlacement, Keyword::Left);
  Control c;
  c.SetString(attr::icon, u"on");
  c.SetString(attr::offIcon, u"offi");
  c.SetText(u"Play");
  c.SetString(attr::offText, u"Stop");
  Flags(c, kEnabled | ControlFlags::Checked | ControlFlags::Focused);
  style.Draw(painter_, {0, 0, 100, 20}, c);
  // x0 = (100 - 2 - 28 - 12) / 2 = 29.
  EXPECT_EQ(painter_.log, (Log{"image 3x3 0,0,100,20 <- 0,0,3,3", "image 12x12 59,4,71,16 <- 0,0,12,12",
                               "text Stop 29,0,57,20 colour=0 format=24"}))
      << "Checked and Focused do not choose the background";
}

// A scroll bar of the test's own: fixed parts.
class FakeScrollBar : public ScrollBarParts {
 public:
  Rect UpArrowRect() const override { return {0, 0, 17, 17}; }
  Rect DownArrowRect() const override { return {0, 183, 17, 200}; }
  Rect ThumbRect() const override { return {0, 40, 17, 101}; }
  std::uint32_t PressedPart() const override { return pressed; }
  std::uint32_t HoveredPart() const override { return hovered; }
  std::uint32_t pressed = ScrollBarPart::None;
  std::uint32_t hovered = ScrollBarPart::None;
};

class ScrollBarStyle : public Styles {
 protected:
  void SetUp() override {
    Styles::SetUp();
    std::int32_t w = 1;
    for (const char16_t* name : {u"bar", u"uu", u"uo", u"ud", u"ux", u"du", u"do", u"dd", u"dx", u"tu", u"to", u"td",
                                 u"iu", u"io", u"id"})
      Image(name, w++, 5);
    style_.SetString(attr::barSkin, u"bar");
    style_.SetString(attr::upArrowUpSkin, u"uu");
    style_.SetString(attr::upArrowOverSkin, u"uo");
    style_.SetString(attr::upArrowDownSkin, u"ud");
    style_.SetString(attr::upArrowDisabledSkin, u"ux");
    style_.SetString(attr::downArrowUpSkin, u"du");
    style_.SetString(attr::downArrowOverSkin, u"do");
    style_.SetString(attr::downArrowDownSkin, u"dd");
    style_.SetString(attr::downArrowDisabledSkin, u"dx");
    style_.SetString(attr::thumbUpSkin, u"tu");
    style_.SetString(attr::thumbOverSkin, u"to");
    style_.SetString(attr::thumbDownSkin, u"td");
    style_.SetString(attr::thumbUpIcon, u"iu");
    style_.SetString(attr::thumbOverIcon, u"io");
    style_.SetString(attr::thumbDownIcon, u"id");
  }
  Style_ScrollBar style_;
  FakeScrollBar bar_;
};

TEST_F(ScrollBarStyle, BarArrowsThumbAndIconInPlace) {
  style_.SetRect(attr::thumbScaleGrid, {0, 2, 0, 2});
  style_.Draw(painter_, {100, 50, 117, 250}, bar_);
  EXPECT_EQ(painter_.log, (Log{"image 1x5 100,50,117,250 <- 0,0,1,5",   // bar, stretched
                               "image 2x5 100,50,117,67 <- 0,0,2,5",    // up arrow
                               "image 6x5 100,233,117,250 <- 0,0,6,5",  // down arrow
                               "image 10x5 100,92,117,149 <- 0,2,10,3", // thumb centre
                               "image 10x5 100,90,117,92 <- 0,0,10,2",  // thumb top
                               "image 10x5 100,149,117,151 <- 0,3,10,5",// thumb bottom
                               "image 13x5 102,118,115,123 <- 0,0,13,5"}));  // icon centred on the thumb
}

TEST_F(ScrollBarStyle, PressedAndHoveredPartsChooseTheirSkins) {
  bar_.pressed = ScrollBarPart::UpArrow;
  bar_.hovered = ScrollBarPart::DownArrow;
  style_.Draw(painter_, {0, 0, 17, 200}, bar_);
  ASSERT_EQ(painter_.log.size(), 5u);
  EXPECT_EQ(painter_.log[1].substr(0, 9), "image 4x5");
  EXPECT_EQ(painter_.log[2].substr(0, 9), "image 7x5");
  EXPECT_EQ(painter_.log[3].substr(0, 10), "image 10x5") << "thumb up";
  painter_.log.clear();
  bar_.pressed = ScrollBarPart::Thumb;
  bar_.hovered = ScrollBarPart::Thumb;
  style_.Draw(painter_, {0, 0, 17, 200}, bar_);
  ASSERT_EQ(painter_.log.size(), 5u);
  EXPECT_EQ(painter_.log[3].substr(0, 10), "image 12x5") << "pressed wins over hovered";
  EXPECT_EQ(painter_.log[4].substr(0, 10), "image 15x5");
  painter_.log.clear();
  bar_.pressed = ScrollBarPart::None;
  style_.Draw(painter_, {0, 0, 17, 200}, bar_);
  EXPECT_EQ(painter_.log[3].substr(0, 10), "image 11x5");
  EXPECT_EQ(painter_.log[4].substr(0, 10), "image 14x5");
}

TEST_F(ScrollBarStyle, DisabledBarShowsDisabledArrowsAndNoThumb) {
  bar_.SetFlag(ControlFlags::Enabled, false);
  bar_.pressed = ScrollBarPart::UpArrow;
  style_.SetRect(attr::scaleGrid, {0, 2, 0, 2});
  style_.Draw(painter_, {0, 0, 17, 200}, bar_);
  EXPECT_EQ(painter_.log, (Log{"image 1x5 0,2,17,198 <- 0,2,1,3", "image 1x5 0,0,17,2 <- 0,0,1,2",
                               "image 1x5 0,198,17,200 <- 0,3,1,5", "image 5x5 0,0,17,17 <- 0,0,5,5",
                               "image 9x5 0,183,17,200 <- 0,0,9,5"}));
}

TEST_F(ScrollBarStyle, AControlThatIsNoScrollBarGetsOnlyTheBar) {
  Control plain;
  style_.Draw(painter_, {0, 0, 17, 200}, plain);
  EXPECT_EQ(painter_.log, (Log{"image 1x5 0,0,17,200 <- 0,0,1,5"}));
}

class FakeSlider : public SliderParts {
 public:
  Rect ThumbRect() const override { return {40, 0, 52, 20}; }
};

TEST_F(Styles, SliderBarTrackAndThumb) {
  Image(u"bar", 10, 4);
  Image(u"track", 10, 6);
  Image(u"tu", 12, 20);
  Image(u"to", 13, 20);
  Image(u"td", 14, 20);
  Style_Slider style;
  style.SetString(attr::barSkin, u"bar");
  style.SetString(attr::trackSkin, u"track");
  style.SetString(attr::thumbUpSkin, u"tu");
  style.SetString(attr::thumbOverSkin, u"to");
  style.SetString(attr::thumbDownSkin, u"td");
  style.SetRect(attr::scaleGrid, {2, 0, 2, 0});
  FakeSlider slider;
  style.Draw(painter_, {100, 10, 200, 30}, slider);
  EXPECT_EQ(painter_.log, (Log{"image 10x4 102,18,198,22 <- 2,0,8,4", "image 10x4 198,18,200,22 <- 8,0,10,4",
                               "image 10x4 100,18,102,22 <- 0,0,2,4", "image 10x6 102,17,144,23 <- 2,0,8,6",
                               "image 10x6 144,17,146,23 <- 8,0,10,6", "image 10x6 100,17,102,23 <- 0,0,2,6",
                               "image 12x20 140,10,152,30 <- 0,0,12,20"}));
  painter_.log.clear();
  Flags(slider, kEnabled | ControlFlags::Checked);
  style.Draw(painter_, {100, 10, 200, 30}, slider);
  EXPECT_EQ(painter_.log.back(), "image 13x20 140,10,152,30 <- 0,0,13,20");
  Flags(slider, kEnabled | ControlFlags::Checked | ControlFlags::Pressed);
  style.Draw(painter_, {100, 10, 200, 30}, slider);
  EXPECT_EQ(painter_.log.back(), "image 14x20 140,10,152,30 <- 0,0,14,20");
}

TEST_F(Styles, ComboBoxDropButtonAndGreyText) {
  Image(u"up", 3, 3);
  Image(u"drop", 20, 12);
  Style_ComboBox style;
  style.SetString(attr::upSkin, u"up");
  style.SetString(attr::dropBtn, u"drop");
  Control c;
  c.SetText(u"720p");
  style.Draw(painter_, {100, 0, 300, 30}, c);
  EXPECT_EQ(painter_.log, (Log{"image 3x3 100,0,300,30 <- 0,0,3,3", "image 20x12 280,9,300,21 <- 0,0,20,12",
                               "text 720p 112,0,278,30 colour=666666 format=24"}));
}

TEST_F(Styles, ButtonExTakesTheQuarterOfItsStripForTheState) {
  Image(u"strip", 30, 40);
  Style_ButtonEx style;
  style.SetString(attr::src, u"strip");
  Control c;
  const std::vector<std::pair<std::uint32_t, std::string>> cases = {
      {kEnabled, "0,0,30,10"},
      {kEnabled | ControlFlags::Hover, "0,10,30,20"},
      {kEnabled | ControlFlags::Focused, "0,0,30,10"},
      {kEnabled | ControlFlags::Pressed | ControlFlags::Hover, "0,20,30,30"},
      {kEnabled | ControlFlags::Checked, "0,0,30,10"},
      {ControlFlags::Pressed | ControlFlags::Hover, "0,30,30,40"},
  };
  for (const auto& [flags, src] : cases) {
    painter_.log.clear();
    Flags(c, flags);
    style.Draw(painter_, {5, 5, 105, 25}, c);
    EXPECT_EQ(painter_.log, (Log{"image 30x40 5,5,105,25 <- " + src})) << std::hex << flags << ": no text, no text drawn";
  }
}

TEST_F(Styles, ButtonExTextIsWhiteCentredInTheControlsFontAndOnlyDownOffsetOneMovesIt) {
  Style_ButtonEx style;
  Control c;
  c.SetText(u"Go");
  Flags(c, kEnabled | ControlFlags::Pressed);
  for (std::int32_t offset : {0, 1, 2}) {
    style.SetValue(attr::downOffset, offset);
    style.Draw(painter_, {0, 0, 40, 20}, c);
  }
  style.SetValue(attr::textColor, 0x102030);
  painter_.layered = true;
  Flags(c, kEnabled);
  style.Draw(painter_, {0, 0, 40, 20}, c);
  EXPECT_EQ(painter_.log, (Log{"text Go 0,0,40,20 colour=ffffff format=25", "text Go 1,1,41,21 colour=ffffff format=25",
                               "text Go 0,0,40,20 colour=ffffff format=25",
                               "text Go 0,0,40,20 colour=102030 format=25 fixalpha"}));
}

TEST_F(Styles, ButtonExWithoutAStripOrWithAStripTooShortDrawsOnlyTheText) {
  Image(u"thin", 30, 3);
  Style_ButtonEx style;
  Control c;
  style.Draw(painter_, {0, 0, 40, 20}, c);
  EXPECT_TRUE(painter_.log.empty()) << "no strip, no text: nothing";
  c.SetText(u"T");
  style.Draw(painter_, {0, 0, 40, 20}, c);
  style.SetString(attr::src, u"thin");
  style.Draw(painter_, {0, 0, 40, 20}, c);
  style.SetString(attr::src, u"missing.png");
  style.Draw(painter_, {0, 0, 40, 20}, c);
  ASSERT_EQ(painter_.log.size(), 3u);
  for (const auto& line : painter_.log) EXPECT_EQ(line.substr(0, 5), "text ");
}

TEST_F(Styles, CheckButtonExTakesTheEighthOfItsStripForStateAndCheck) {
  Image(u"boxes", 16, 128);
  Style_CheckButtonEx style;
  style.SetString(attr::src, u"boxes");
  Control c;
  const std::vector<std::pair<std::uint32_t, std::int32_t>> cases = {
      {kEnabled, 0},
      {kEnabled | ControlFlags::Hover, 1},
      {kEnabled | ControlFlags::Pressed | ControlFlags::Hover, 2},
      {ControlFlags::Hover, 3},
      {kEnabled | ControlFlags::Checked, 4},
      {kEnabled | ControlFlags::Checked | ControlFlags::Hover, 5},
      {kEnabled | ControlFlags::Checked | ControlFlags::Pressed, 6},
      {ControlFlags::Checked | ControlFlags::Pressed, 7},
  };
  for (const auto& [flags, row] : cases) {
    painter_.log.clear();
    Flags(c, flags);
    style.Draw(painter_, {10, 20, 200, 50}, c);
    EXPECT_EQ(painter_.log, (Log{"image 16x128 10,20,26,36 <- 0," + std::to_string(row * 16) + ",16," +
                                 std::to_string(row * 16 + 16)}))
        << std::hex << flags << ": at the origin, natural size";
  }
}

TEST_F(Styles, CheckButtonExTextStartsAfterIconGapAndTwo) {
  Image(u"boxes", 16, 128);
  Style_CheckButtonEx style;
  style.SetString(attr::src, u"boxes");
  Control c;
  c.SetText(u"Keep");
  style.Draw(painter_, {10, 20, 200, 50}, c);
  style.SetValue(attr::iconGap, 6);
  style.SetValue(attr::textColor, 0xFF0000);
  style.Draw(painter_, {10, 20, 200, 50}, c);
  style.SetString(attr::src, u"none.png");
  style.Draw(painter_, {10, 20, 200, 50}, c);
  EXPECT_EQ(painter_.log, (Log{"image 16x128 10,20,26,36 <- 0,0,16,16", "text Keep 30,20,200,50 colour=ffffff format=24",
                               "image 16x128 10,20,26,36 <- 0,0,16,16", "text Keep 34,20,200,50 colour=ff0000 format=24",
                               "text Keep 18,20,200,50 colour=ff0000 format=24"}))
      << "a missing strip places the text as if the icon were 0 wide";
}

}  // namespace
}  // namespace vcam::dui
