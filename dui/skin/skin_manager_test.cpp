// Style files, the style cache and the font definitions of a skin.
#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>

#include "dui/core/attribute_names.h"
#include "dui/load/memory_file_source.h"
#include "dui/skin/font_definition.h"
#include "dui/skin/skin_manager.h"
#include "dui/style/style_button.h"
#include "dui/style/style_check_button.h"
#include "dui/testing/test_platform.h"

namespace vcam::dui {
namespace {

using testing::FontOf;
using testing::TestPlatform;
using testing::TestPlatformState;

constexpr const char* kBom = "\xEF\xBB\xBF";

class SkinManagerTest : public ::testing::Test {
 protected:
  SkinManagerTest() : platform_(state_), skins_(setters_, factory_, platform_) {}

  MemoryFileSource* UseSource() {
    auto source = std::make_unique<MemoryFileSource>();
    MemoryFileSource* raw = source.get();
    skins_.SetSource(std::move(source));
    return raw;
  }

  const SetterRegistry setters_ = SetterRegistry::Standard();
  const ControlFactory factory_ = ControlFactory::Standard();
  TestPlatformState state_;
  TestPlatform platform_;
  SkinManager skins_;
};

TEST_F(SkinManagerTest, StyleClassComesFromTheFirstAttributeOfTheOuterElement) {
  MemoryFileSource* pack = UseSource();
  pack->Put(u"button.xml", std::string(kBom) + R"(<Skin>
      <Style type="Button"><Attr upSkin="btn_up.png" scaleGrid="4,4,4,4" textColor="#FFFFFF"
          downOffset="1"/><Ignored upSkin="no"/></Style>
      <Style type="CheckButton"/>
    </Skin>)");
  Style* style = skins_.GetStyle(u"button.xml");
  ASSERT_NE(style, nullptr);
  EXPECT_EQ(typeid(*style), typeid(Style_Button));
  EXPECT_EQ(*style->FindString(attr::upSkin), u"btn_up.png");
  EXPECT_EQ(style->GetRect(attr::scaleGrid), (Rect{4, 4, 4, 4}));
  EXPECT_EQ(style->GetColor(attr::textColor, 0), 0x00FFFFFFu);
  EXPECT_EQ(style->GetInt(attr::downOffset, 0), 1);
}

TEST_F(SkinManagerTest, StylesAreCachedPerFileName) {
  MemoryFileSource* pack = UseSource();
  pack->Put(u"a.xml", R"(<S><Style c="CheckButton"><A upIcon="x"/></Style></S>)");
  Style* first = skins_.GetStyle(u"a.xml");
  const int reads = pack->reads();
  EXPECT_EQ(skins_.GetStyle(u"a.xml"), first);
  EXPECT_EQ(pack->reads(), reads);
  EXPECT_EQ(typeid(*first), typeid(Style_CheckButton));
}

TEST_F(SkinManagerTest, InnerElementWithoutAttributesGivesEmptyPropertyLists) {
  MemoryFileSource* pack = UseSource();
  pack->Put(u"s.xml", R"(<S><Style c="Button"><A/></Style></S>)");
  Style* style = skins_.GetStyle(u"s.xml");
  ASSERT_NE(style, nullptr);
  EXPECT_EQ(typeid(*style), typeid(Style_Button));
  EXPECT_EQ(style->FindString(attr::upSkin), nullptr);
}

TEST_F(SkinManagerTest, UnknownOrMissingClassNameMakesAPlainStyle) {
  MemoryFileSource* pack = UseSource();
  pack->Put(u"u.xml", R"(<S><Style c="Fancy"><A upSkin="u.png"/></Style></S>)");
  pack->Put(u"n.xml", R"(<S><Style><A upSkin="n.png"/></Style></S>)");
  pack->Put(u"e.xml", R"(<S/>)");
  for (auto name : {u"u.xml", u"n.xml", u"e.xml"}) {
    Style* style = skins_.GetStyle(name);
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(typeid(*style), typeid(Style));
  }
  EXPECT_EQ(*skins_.GetStyle(u"n.xml")->FindString(attr::upSkin), u"n.png");
}

TEST_F(SkinManagerTest, MissingOrMalformedStyleFileIsNullAndTriedAgain) {
  MemoryFileSource* pack = UseSource();
  EXPECT_EQ(skins_.GetStyle(u"later.xml"), nullptr);
  pack->Put(u"later.xml", R"(<S><Style c="Button"><A/></Style></S>)");
  EXPECT_NE(skins_.GetStyle(u"later.xml"), nullptr) << "a missing style is not cached";
  pack->Put(u"broken.xml", R"(<S><Style c="Button"><A></S>)");
  EXPECT_EQ(skins_.GetStyle(u"broken.xml"), nullptr);
}

TEST_F(SkinManagerTest, FontsAreDefinedByFontXmlAndReplacedByName) {
  auto source = std::make_unique<MemoryFileSource>();
  source->Put(u"font.xml", std::string(kBom) + R"(<Fonts>
      <Font name="Default" face="微软雅黑" size="12"/>
      <Font name="Default.Bold" face="Tahoma" size="12" bold="true"/>
      <Font name="Default.Big" size="16" underline="true" bold="True"/>
      <Font face="nameless"/>
      <Font name="Default" size="13"/>
    </Fonts>)");
  skins_.SetSource(std::move(source));
  EXPECT_EQ(skins_.font_count(), 3u);
  EXPECT_EQ(state_.fonts_alive, 3) << "the replaced font was deleted";
  const FontDefinition& bold = FontOf(skins_.GetFont(u"Default.Bold"));
  EXPECT_EQ(bold.height, -12);
  EXPECT_EQ(bold.weight, 700);
  EXPECT_EQ(bold.face, u"Tahoma");
  const FontDefinition& big = FontOf(skins_.GetFont(u"Default.Big"));
  EXPECT_EQ(big.weight, 400) << "keyword comparison is exact";
  EXPECT_EQ(big.underline, true);
  EXPECT_EQ(big.face, std::nullopt);
  EXPECT_EQ(FontOf(skins_.GetFont(u"Default")).height, -13);
  EXPECT_EQ(skins_.GetFont(u"nameless"), nullptr);
}

TEST_F(SkinManagerTest, NewSourceDropsFontsAndStyles) {
  auto source = std::make_unique<MemoryFileSource>();
  source->Put(u"font.xml", R"(<F><Font name="A"/></F>)");
  source->Put(u"s.xml", R"(<S><Style c="Button"><A/></Style></S>)");
  skins_.SetSource(std::move(source));
  ASSERT_NE(skins_.GetStyle(u"s.xml"), nullptr);
  ASSERT_NE(skins_.GetFont(u"A"), nullptr);
  skins_.SetSource(std::make_unique<MemoryFileSource>());
  EXPECT_EQ(skins_.GetFont(u"A"), nullptr);
  EXPECT_EQ(skins_.GetStyle(u"s.xml"), nullptr);
  EXPECT_EQ(state_.fonts_alive, 0);
  skins_.SetSource(nullptr);
  EXPECT_EQ(skins_.GetStyle(u"s.xml"), nullptr);
}

TEST(FontDefinitions, FaceIsCutToThirtyOneCharactersAndBadSizesAreIgnored) {
  auto fonts = ParseFontDefinitions(
      u"<F><Font name=\"x\" face=\"abcdefghijklmnopqrstuvwxyz0123456789\" size=\"big\"/></F>");
  ASSERT_EQ(fonts.size(), 1u);
  EXPECT_EQ(fonts[0].face, u"abcdefghijklmnopqrstuvwxyz01234");
  EXPECT_EQ(fonts[0].height, std::nullopt);
  EXPECT_TRUE(ParseFontDefinitions(u"<F><Font name=\"x\"></F>").empty());
}

}  // namespace
}  // namespace vcam::dui
