// What the basic controls draw and how big they want to be: labels, images,
// progress bars, the fixed-style buttons and the confirm button.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "common/text_utf.h"
#include "dui/controls/confirm_button.h"
#include "dui/controls/progress_bar.h"
#include "dui/core/attribute_names.h"
#include "dui/core/panel.h"
#include "dui/load/memory_file_source.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/skin/memory_texture.h"
#include "dui/testing/layout_text.h"
#include "dui/testing/recording_painter.h"
#include "dui/testing/test_platform.h"

namespace vcam::dui {
namespace {

using Log = std::vector<std::string>;
using testing::AttachedTree;
using testing::RecordingPainter;
using testing::Str;

// A style that logs which file it came from (its "img" attribute) and where it drew.
class NamedStyle : public Style {
 public:
  void Draw(Painter& painter, const Rect& rect, Control&) override {
    const std::u16string* name = FindString(attr::img);
    static_cast<RecordingPainter&>(painter).log.push_back("style " + (name ? utf16_to_utf8(*name) : "") + " " +
                                                          Str(rect));
  }
};

std::string StyleFile(const std::string& name, const std::string& extra = "") {
  return R"(<S><Style class="Named"><A img=")" + name + "\" " + extra + "/></Style></S>";
}

class Painting : public ::testing::Test {
 protected:
  void SetUp() override { Start(UiProfile::Launcher()); }
  void TearDown() override { Shutdown(); }

  void Start(const UiProfile& profile) {
    ASSERT_TRUE(Initialize(u"painting", std::make_unique<testing::TestPlatform>(state_), profile));
    UiRuntime* rt = UiRuntime::Instance();
    rt->factory().AddStyle(u"Named", MakeStyleCreator<NamedStyle>());
    auto skin = std::make_unique<MemoryFileSource>();
    skin->Put(u"font.xml", R"(<Fonts><Font name="Big" size="20"/></Fonts>)");
    for (const char* name : {"checkbox.xml", "radiobutton.xml", "button.xml", "line.xml"})
      skin->Put(utf8_to_utf16(name), StyleFile(name));
    skin->Put(u"gap4.xml", StyleFile("gap4.xml", R"(iconGap="4")"));
    skin->Put(u"skin_b4ae00", "#B4AE00\n");
    rt->SetSkinSource(std::move(skin));
    PutImage(u"pic.png", 30, 20);
    PutImage(u"bk.png", 10, 10);
    PutImage(u"fill.png", 20, 6);
    PutImage(u"ok.png@set_skin_color", 20, 10);
  }
  void PutImage(const std::u16string& name, std::int32_t w, std::int32_t h) {
    UiRuntime::Instance()->skins()->PutImage(name, std::make_unique<MemoryTexture>(w, h));
  }

  // Paints the control at `rect` and returns the log.
  static Log PaintAt(Control& control, const Rect& rect, bool layered = false) {
    RecordingPainter painter;
    painter.layered = layered;
    control.Paint(painter, rect, rect);
    return painter.log;
  }

  testing::TestPlatformState state_;
};

// ---- Label ----

TEST_F(Painting, LabelAlignsItsTextInsideThePadding) {
  AttachedTree tree(R"(<Grid>
      <Label id="1" text="Hi" textAlign="center" padding="10,0,10,0"/>
      <Label id="2" text="Hi" textAlign="right" padding="1,2,3,4" color="#FF8000"/>
      <Label id="3" text="Hi" textAlign="Center"/>
      <Label id="4" text="Hi"/></Grid>)");
  const Rect r{0, 0, 100, 20};
  EXPECT_EQ(PaintAt(*tree.ById(1), r), (Log{"text Hi 10,0,90,20 colour=333333 format=825"}));
  EXPECT_EQ(PaintAt(*tree.ById(2), r), (Log{"text Hi 1,2,97,16 colour=ff8000 format=826"}));
  EXPECT_EQ(PaintAt(*tree.ById(3), r), (Log{"text Hi 0,0,100,20 colour=333333 format=824"}));
  EXPECT_EQ(PaintAt(*tree.ById(4), r.offset(5, 7), true), (Log{"text Hi 5,7,105,27 colour=333333 format=824 fixalpha"}));
}

TEST_F(Painting, LabelWithoutTextPaintsNothingAndHasNoStyle) {
  AttachedTree tree(R"(<Grid><Label id="1" style="button.xml"/><Label id="2" text="" style="button.xml"/></Grid>)");
  EXPECT_TRUE(PaintAt(*tree.ById(1), {0, 0, 50, 20}).empty());
  EXPECT_TRUE(PaintAt(*tree.ById(2), {0, 0, 50, 20}).empty());
}

TEST_F(Painting, LabelWantsItsTextExtentInItsFontPlusPadding) {
  AttachedTree tree(R"(<StackPanel>
      <Label id="1" text="abc" padding="1,2,3,4" horizontalAlign="left"/>
      <Label id="2" text="abcd" font="Big" horizontalAlign="left"/>
      <Label id="3" text="" padding="1,2,3,4"/>
      <Label id="4" padding="5,0,5,0"/>
      <Label id="5" text="abc" font="Unknown"/></StackPanel>)");
  tree.Layout(300, 300);
  EXPECT_EQ(tree.ById(1)->desired(), (Size{3 * 7 + 4, 16 + 6}));
  EXPECT_EQ(tree.ById(2)->desired(), (Size{4 * 7, 23}));
  EXPECT_EQ(tree.ById(3)->desired(), (Size{4, 6}));
  EXPECT_EQ(tree.ById(4)->desired(), (Size{10, 0}));
  EXPECT_EQ(tree.ById(5)->desired(), (Size{21, 16})) << "an unknown font measures with the default one";
}

// ---- Image ----

TEST_F(Painting, ImageTakesTheSizeOfItsPictureAndStretchesIt) {
  AttachedTree tree(R"(<Canvas>
      <Image id="1" src="pic.png"/>
      <Image id="2" src="pic.png" width="60" height="10"/>
      <Image id="3" src="missing.png"/>
      <Image id="4"/></Canvas>)");
  tree.Layout(200, 200);
  EXPECT_EQ(tree.ById(1)->rect(), (Rect{0, 0, 30, 20}));
  EXPECT_EQ(tree.ById(2)->rect(), (Rect{0, 0, 60, 10}));
  EXPECT_EQ(tree.ById(3)->desired(), (Size{0, 0}));
  EXPECT_EQ(tree.ById(4)->desired(), (Size{0, 0}));
  EXPECT_EQ(PaintAt(*tree.ById(2), {5, 5, 65, 15}), (Log{"image 30x20 5,5,65,15 <- 0,0,30,20"}));
  EXPECT_TRUE(PaintAt(*tree.ById(3), {0, 0, 10, 10}).empty());
  EXPECT_TRUE(PaintAt(*tree.ById(4), {0, 0, 10, 10}).empty());
}

// ---- ProgressBar ----

class ProgressBars : public Painting {
 protected:
  ProgressBar& Bar(AttachedTree& tree) { return *static_cast<ProgressBar*>(tree.ById(1)); }
  static constexpr const char* kBar =
      R"(<Grid><ProgressBar id="1" progressbkimg="bk.png" progressimg="fill.png" progressmargin="2,2,2,2"/></Grid>)";
};

TEST_F(ProgressBars, HalfOfAHundredFillsTheLeftHalfOfTheInnerRectangle) {
  AttachedTree tree(kBar);
  Bar(tree).range = 100;
  Bar(tree).position = 50;
  EXPECT_EQ(PaintAt(Bar(tree), {0, 0, 204, 10}),
            (Log{"image 10x10 0,0,204,10 <- 0,0,10,10", "save", "clip 2,2,102,8", "image 20x6 2,2,202,8 <- 0,0,20,6",
                 "restore"}));
}

TEST_F(ProgressBars, NothingToFillShowsOnlyTheBackground) {
  AttachedTree tree(kBar);
  const Log background{"image 10x10 0,0,204,10 <- 0,0,10,10"};
  Bar(tree).range = 100;
  Bar(tree).position = 0;
  EXPECT_EQ(PaintAt(Bar(tree), {0, 0, 204, 10}), background);
  Bar(tree).range = 0;
  Bar(tree).position = 50;
  EXPECT_EQ(PaintAt(Bar(tree), {0, 0, 204, 10}), background);
  Bar(tree).range = 1000;
  Bar(tree).position = 4;  // 0.8 of a pixel
  EXPECT_EQ(PaintAt(Bar(tree), {0, 0, 204, 10}), background);
}

TEST_F(ProgressBars, PositionOutsideTheRangeStaysInsideTheInnerRectangle) {
  AttachedTree tree(kBar);
  Bar(tree).range = 100;
  Bar(tree).position = 150;
  EXPECT_EQ(PaintAt(Bar(tree), {0, 0, 204, 10})[2], "clip 2,2,202,8");
  Bar(tree).position = INT_MAX;
  EXPECT_EQ(PaintAt(Bar(tree), {0, 0, 204, 10})[2], "clip 2,2,202,8");
  Bar(tree).position = -20;
  EXPECT_EQ(PaintAt(Bar(tree), {0, 0, 204, 10}).size(), 1u);
  Bar(tree).range = -100;  // both negative: a positive share
  EXPECT_EQ(PaintAt(Bar(tree), {0, 0, 204, 10})[2], "clip 2,2,42,8");
}

TEST_F(ProgressBars, ScaleGridsDrawNineSlicesAndMarginsAreOptional) {
  AttachedTree tree(R"(<Grid><ProgressBar id="1" progressbkimg="bk.png" progressimg="fill.png"
      progressbkScaleGrid="3,3,3,3" progressScaleGrid="2,0,2,0"/></Grid>)");
  Bar(tree).range = 4;
  Bar(tree).position = 1;
  const Log log = PaintAt(Bar(tree), {10, 0, 110, 10});
  EXPECT_EQ(log, (Log{"image 10x10 13,3,107,7 <- 3,3,7,7", "image 10x10 10,0,13,3 <- 0,0,3,3",
                      "image 10x10 13,0,107,3 <- 3,0,7,3", "image 10x10 107,0,110,3 <- 7,0,10,3",
                      "image 10x10 107,3,110,7 <- 7,3,10,7", "image 10x10 107,7,110,10 <- 7,7,10,10",
                      "image 10x10 13,7,107,10 <- 3,7,7,10", "image 10x10 10,7,13,10 <- 0,7,3,10",
                      "image 10x10 10,3,13,7 <- 0,3,3,7", "save", "clip 10,0,35,10",
                      "image 20x6 12,0,108,10 <- 2,0,18,6", "image 20x6 108,0,110,10 <- 18,0,20,6",
                      "image 20x6 10,0,12,10 <- 0,0,2,6", "restore"}));
}

TEST_F(ProgressBars, MissingImagesDrawNothing) {
  AttachedTree tree(R"(<Grid><ProgressBar id="1" progressbkimg="none.png" progressimg="none.png"/></Grid>)");
  Bar(tree).range = 2;
  Bar(tree).position = 1;
  EXPECT_TRUE(PaintAt(Bar(tree), {0, 0, 100, 10}).empty());
}

TEST_F(ProgressBars, FillIsComputedInSinglePrecisionUnlessTheProfileAsksForIntegers) {
  // 16777216 / 16777217 of 100 pixels: single precision rounds the range down
  // to the position and fills all 100, integers truncate to 99.
  EXPECT_EQ(ProgressBar::FillWidth(16777216, 16777217, 100, false), 100);
  EXPECT_EQ(ProgressBar::FillWidth(16777216, 16777217, 100, true), 99);
  EXPECT_EQ(ProgressBar::FillWidth(1, 3, 200, false), 66);
  EXPECT_EQ(ProgressBar::FillWidth(1, 3, 200, true), 66);
  // Large products neither overflow nor leave the rectangle.
  EXPECT_EQ(ProgressBar::FillWidth(INT_MAX, INT_MAX, 200, true), 200);
  EXPECT_EQ(ProgressBar::FillWidth(INT_MAX, 1, 200, false), 200);
  EXPECT_EQ(ProgressBar::FillWidth(INT_MIN, -1, 200, true), 200);
  EXPECT_EQ(ProgressBar::FillWidth(INT_MIN, 1, 200, false), 0);
  EXPECT_EQ(ProgressBar::FillWidth(5, 10, 0, false), 0);

  AttachedTree before(kBar);
  Bar(before).range = 16777217;
  Bar(before).position = 16777216;
  EXPECT_EQ(PaintAt(Bar(before), {0, 0, 104, 10})[2], "clip 2,2,102,8");

  Shutdown();
  UiProfile integers = UiProfile::Launcher();
  integers.integer_progress_fill = true;
  Start(integers);
  AttachedTree after(kBar);
  Bar(after).range = 16777217;
  Bar(after).position = 16777216;
  EXPECT_EQ(PaintAt(Bar(after), {0, 0, 104, 10})[2], "clip 2,2,101,8");
}

// ---- Buttons with fixed or extra drawing ----

TEST_F(Painting, CheckBoxAndRadioButtonPaintTheirOwnStyleFiles) {
  AttachedTree tree(R"(<Grid><CheckBox id="1" style="button.xml"/><RadioButton id="2" style="button.xml"/>
      <CheckBox id="3"/></Grid>)");
  EXPECT_EQ(PaintAt(*tree.ById(1), {1, 2, 3, 4}), (Log{"style checkbox.xml 1,2,3,4"}));
  EXPECT_EQ(PaintAt(*tree.ById(2), {1, 2, 3, 4}), (Log{"style radiobutton.xml 1,2,3,4"}));
  EXPECT_EQ(PaintAt(*tree.ById(3), {1, 2, 3, 4}), (Log{"style checkbox.xml 1,2,3,4"}));
}

TEST_F(Painting, ImageButtonDrawsItsImageUnderItsStyle) {
  AttachedTree tree(R"(<Grid><ImageButton id="1" img="pic.png" style="button.xml"/>
      <ImageButton id="2" img="missing.png" style="button.xml"/><ImageButton id="3" img="pic.png"/></Grid>)");
  EXPECT_EQ(PaintAt(*tree.ById(1), {0, 0, 60, 40}),
            (Log{"image 30x20 0,0,60,40 <- 0,0,30,20", "style button.xml 0,0,60,40"}));
  EXPECT_EQ(PaintAt(*tree.ById(2), {0, 0, 60, 40}), (Log{"style button.xml 0,0,60,40"}));
  EXPECT_EQ(PaintAt(*tree.ById(3), {0, 0, 60, 40}), (Log{"image 30x20 0,0,60,40 <- 0,0,30,20"}));
}

TEST_F(Painting, OtherButtonsTitleBarAndSeperatorPaintTheirStyle) {
  for (const char* element : {"Button", "IconButton", "ToggleButton", "ToggleIconButton", "TitleBar", "Seperator"}) {
    SCOPED_TRACE(element);
    std::unique_ptr<Control> control = testing::BuildTree("<" + std::string(element) + R"( style="line.xml"/>)");
    ASSERT_TRUE(control);
    EXPECT_EQ(PaintAt(*control, {0, 0, 8, 2}), (Log{"style line.xml 0,0,8,2"}));
  }
}

// ---- ConfirmButton ----

class ConfirmButtons : public Painting {
 protected:
  ConfirmButton& Make(const std::u16string& text, const char16_t* style, const char16_t* icon = u"ok.png") {
    auto& b = *buttons_.emplace_back(std::make_unique<ConfirmButton>());
    b.SetText(text);
    if (style) b.SetString(attr::style, style);
    if (icon) b.SetString(attr::icon, icon);
    return b;
  }
  static Log Text(const Log& log) {
    Log texts;
    for (const std::string& line : log)
      if (line.starts_with("text ")) texts.push_back(line);
    return texts;
  }
  std::vector<std::unique_ptr<ConfirmButton>> buttons_;
};

TEST_F(ConfirmButtons, IconAndTextFormOneBlockCentredVertically) {
  // Block: icon 10 + gap 4 + text 16 = 30 in 60 -> icon top 15, text from 29.
  ConfirmButton& b = Make(u"OK", u"gap4.xml");
  EXPECT_EQ(PaintAt(b, {0, 0, 100, 60}),
            (Log{"image 20x10 40,15,60,25 <- 0,0,20,10", "text OK 0,29,100,60 colour=0 format=21"}));
  // Offsets of the rectangle take part in the halving: (20 + 81 - 30) / 2 = 35.
  EXPECT_EQ(PaintAt(b, {10, 20, 111, 81}),
            (Log{"image 20x10 50,35,70,45 <- 0,0,20,10", "text OK 10,49,111,81 colour=0 format=21"}));
}

TEST_F(ConfirmButtons, GapDefaultsToTwoAndTheFontSetsTheTextHeight) {
  ConfirmButton& plain = Make(u"OK", u"button.xml");
  EXPECT_EQ(PaintAt(plain, {0, 0, 100, 60}),
            (Log{"image 20x10 40,16,60,26 <- 0,0,20,10", "text OK 0,28,100,60 colour=0 format=21"}));
  ConfirmButton& unstyled = Make(u"OK", nullptr);
  EXPECT_EQ(PaintAt(unstyled, {0, 0, 100, 60})[0], "image 20x10 40,16,60,26 <- 0,0,20,10");
  ConfirmButton& big = Make(u"OK", u"button.xml");
  big.SetString(attr::font, u"Big");  // 23 high: (60 - 23 - 10 - 2) / 2 = 12
  EXPECT_EQ(PaintAt(big, {0, 0, 100, 60}),
            (Log{"image 20x10 40,12,60,22 <- 0,0,20,10", "text OK 0,24,100,60 colour=0 format=21"}));
}

TEST_F(ConfirmButtons, TextTakesTheSkinColourOfItsIcon) {
  ASSERT_TRUE(UiRuntime::Instance()->LoadRuleFile(u"skin_b4ae00"));
  ASSERT_EQ(UiRuntime::Instance()->skin_colour(), 0xB4AE00u);
  PutImage(u"ok.png@set_skin_color", 20, 10);  // the rule file emptied the cache
  ConfirmButton& b = Make(u"OK", u"gap4.xml");
  // 0x00RRGGBB B4AE00 reaches GDI as the COLORREF 0x00BBGGRR 00AEB4.
  EXPECT_EQ(Text(PaintAt(b, {0, 0, 100, 60})), (Log{"text OK 0,29,100,60 colour=aeb4 format=21"}));
}

TEST_F(ConfirmButtons, WithoutItsRecolouredIconTheTextIsCentredAlone) {
  // The icon is looked up recoloured: "pic.png" exists, "pic.png@set_skin_color" does not.
  for (const char16_t* icon : {static_cast<const char16_t*>(u"pic.png"), static_cast<const char16_t*>(nullptr)}) {
    ConfirmButton& b = Make(u"OK", u"button.xml", icon);
    EXPECT_EQ(PaintAt(b, {0, 0, 100, 60}), (Log{"text OK 0,23,100,60 colour=0 format=21"}));
  }
}

TEST_F(ConfirmButtons, DrawsOnlyTheBaseSkinOfItsStyleAndItsOwnText) {
  // The style's own drawing (here: a log line) is not used, whatever its class.
  ConfirmButton& b = Make(u"Yes", u"button.xml");
  const Log log = PaintAt(b, {0, 0, 80, 40}, true);
  for (const std::string& line : log) EXPECT_FALSE(line.starts_with("style ")) << line;
  EXPECT_EQ(Text(log), (Log{"text Yes 0,18,80,40 colour=0 format=21 fixalpha"}));
  ConfirmButton& empty = Make(u"", u"button.xml");
  EXPECT_EQ(Text(PaintAt(empty, {0, 0, 80, 40})), Log{});
}

}  // namespace
}  // namespace vcam::dui
