// Building control trees from layout files.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "common/text_utf.h"
#include "dui/controls/button.h"
#include "dui/controls/drawing.h"
#include "dui/controls/label.h"
#include "dui/controls/list_box.h"
#include "dui/controls/progress_bar.h"
#include "dui/controls/seperator.h"
#include "dui/controls/tab_item.h"
#include "dui/controls/text_box.h"
#include "dui/core/attribute_names.h"
#include "dui/core/panel.h"
#include "dui/factory/control_factory.h"
#include "dui/layout/grid.h"
#include "dui/layout/stack_panel.h"
#include "dui/load/layout_loader.h"
#include "dui/load/memory_file_source.h"
#include "dui/testing/deep_tree.h"
#include "dui/testing/layout_text.h"
#include "dui/testing/recording_painter.h"

namespace vcam::dui {
namespace {

using testing::BuildTree;

std::vector<const std::type_info*> ChildTypes(const Control& c) {
  std::vector<const std::type_info*> types;
  if (!c.HasFlag(ControlFlags::Container)) return types;
  for (Control* child = static_cast<const Panel&>(c).first_child(); child; child = child->next())
    types.push_back(&typeid(*child));
  return types;
}

TEST(LayoutLoader, BuildsTheTreeInDocumentOrder) {
  auto root = BuildTree(R"(<?xml version="1.0" encoding="utf-8"?>
    <!-- a window -->
    <Window style="bkgnd.xml">
      <Grid id="1000" width="645" height="400">
        <Image src="page1.png" verticalAlign="top"/>
        <Button id="1003" text="下一步" style="button.xml" width="136" height="43"/>
      </Grid>
      <TitleBar height="45" verticalAlign="top"/>
    </Window>)");
  ASSERT_TRUE(root);
  EXPECT_EQ(typeid(*root), typeid(Grid));
  EXPECT_EQ(*root->FindString(attr::style), u"bkgnd.xml");
  auto* grid = static_cast<Panel*>(static_cast<Panel*>(root.get())->first_child());
  EXPECT_EQ(grid->child_count(), 2);
  EXPECT_EQ(typeid(*grid->first_child()), typeid(Drawing));
  EXPECT_EQ(grid->last_child()->GetText(), u"下一步");
  EXPECT_EQ(grid->last_child()->GetInt(attr::id, 0), 1003);
  EXPECT_EQ(static_cast<Panel*>(root.get())->child_count(), 2);
}

TEST(LayoutLoader, ElementNamesMapToTheirClasses) {
  auto root = BuildTree(R"(<Grid><Window/><Separator/><Seperator/><Image/><ProgressBar/><TextBox/></Grid>)");
  ASSERT_TRUE(root);
  EXPECT_EQ(ChildTypes(*root),
            (std::vector<const std::type_info*>{&typeid(Grid), &typeid(Seperator), &typeid(Seperator),
                                                &typeid(Drawing), &typeid(ProgressBar), &typeid(TextBox)}));
}

TEST(LayoutLoader, EveryElementOfTheVocabularyBuilds) {
  const ControlFactory factory = ControlFactory::Standard();
  EXPECT_EQ(factory.controls().size(), 28u);
  for (const auto& [name, creator] : factory.controls()) {
    const std::string element = utf16_to_utf8(name);
    EXPECT_TRUE(BuildTree("<" + element + "/>")) << element;
  }
}

TEST(LayoutLoader, UnknownElementDropsItsSubtreeAndKeepsItsSiblingsInOrder) {
  auto root = BuildTree(R"(<StackPanel>
      <Label text="a"/>
      <Foo><Label text="inside foo"/><Button/></Foo>
      <Label text="b"/>
      <label text="lower case is unknown"/>
      <Label text="c"/>
    </StackPanel>)");
  ASSERT_TRUE(root);
  auto* panel = static_cast<Panel*>(root.get());
  std::u16string texts;
  for (Control* c = panel->first_child(); c; c = c->next()) texts += c->GetText();
  EXPECT_EQ(texts, u"abc");
}

TEST(LayoutLoader, UnknownRootGivesNoTree) {
  EXPECT_FALSE(BuildTree(R"(<Foo><Grid/></Foo>)"));
  EXPECT_FALSE(BuildTree(""));
  EXPECT_FALSE(BuildTree("<Grid><Label></Grid>"));
}

TEST(LayoutLoader, TabItemKeepsOnlyItsFirstChildAsItsPage) {
  auto root = BuildTree(R"(<TabControl><TabItem text="one"><Grid id="1"/><Label id="2"/></TabItem></TabControl>)");
  ASSERT_TRUE(root);
  auto* item = dynamic_cast<TabItem*>(static_cast<Panel*>(root.get())->first_child());
  ASSERT_NE(item, nullptr);
  ASSERT_NE(item->page(), nullptr);
  EXPECT_EQ(typeid(*item->page()), typeid(Grid));
  EXPECT_EQ(item->page()->GetInt(attr::id, 0), 1);
  EXPECT_EQ(item->page()->parent(), nullptr);
}

TEST(LayoutLoader, ChildrenOfANonContainerAreLeftOut) {
  auto root = BuildTree(R"(<Grid><Button text="b"><Label text="ignored"/></Button></Grid>)");
  ASSERT_TRUE(root);
  EXPECT_EQ(static_cast<Panel*>(root.get())->child_count(), 1);
}

TEST(LayoutLoader, RepeatedAttributeKeepsTheLaterValue) {
  auto root = BuildTree(R"(<Grid width="10" width="20" text="x" text="y"/>)");
  // rapidxml accepts repeated attributes; they apply in document order.
  ASSERT_TRUE(root);
  EXPECT_EQ(root->GetInt(attr::width, -1), 20);
  EXPECT_EQ(root->GetText(), u"y");
}

TEST(LayoutLoader, FlagAttributesAreSetOnlyByExactlyOne) {
  auto root = BuildTree(R"(<Grid>
      <Label id="1" visible="true"/>
      <Label id="2" visible="1" enabled="0" transparent="1"/>
      <Button id="3" transparent="yes" enabled="1"/>
      <Label id="4" visible="0" visible="1"/>
    </Grid>)");
  ASSERT_TRUE(root);
  Control* c = static_cast<Panel*>(root.get())->first_child();
  EXPECT_FALSE(c->HasFlag(ControlFlags::Visible)) << "visible=\"true\" hides the control";
  c = c->next();
  EXPECT_TRUE(c->HasFlag(ControlFlags::Visible));
  EXPECT_FALSE(c->HasFlag(ControlFlags::Enabled));
  EXPECT_TRUE(c->HasFlag(ControlFlags::HitTransparent));
  c = c->next();
  EXPECT_FALSE(c->HasFlag(ControlFlags::HitTransparent));
  EXPECT_TRUE(c->HasFlag(ControlFlags::Enabled));
  c = c->next();
  EXPECT_TRUE(c->HasFlag(ControlFlags::Visible));
}

TEST(LayoutLoader, AttributeValuesParseWithTheirSetters) {
  auto root = BuildTree(R"(<Grid color="#FF8000" textColor="#ff8000" scaleGrid="#GG0000"
      horizontalAlign="Center" margin="1,2,3" width="abc" initSize="400,300" unknown="x"/>)");
  ASSERT_TRUE(root);
  EXPECT_EQ(root->GetColor(attr::color, 1), 0x00FF8000u);
  EXPECT_EQ(root->GetColor(attr::textColor, 1), 0x00FF8000u);
  EXPECT_FALSE(root->FindRect(attr::scaleGrid, nullptr));
  EXPECT_EQ(root->GetKeyword(attr::horizontalAlign, Keyword::Stretch), Keyword::None);
  EXPECT_FALSE(root->FindRect(attr::margin, nullptr));
  EXPECT_FALSE(root->FindValue(attr::width, nullptr));
  Size init;
  EXPECT_TRUE(root->FindSize(attr::initSize, &init));
  EXPECT_EQ(init, (Size{400, 300}));
}

TEST(LayoutLoader, ConstructionFlagsOfTheControlClasses) {
  auto root = BuildTree(R"(<Grid><Button/><TabItem/><Slider/><TextBox/><Edit/><ComboBox/><Label/>
      <ProgressBar/><ToggleIconButton/><CheckBox/><RadioButton/><ImageButton/><IconButton/></Grid>)");
  ASSERT_TRUE(root);
  std::vector<std::uint32_t> flags;
  for (Control* c = static_cast<Panel*>(root.get())->first_child(); c; c = c->next()) flags.push_back(c->flags());
  const std::uint32_t base = ControlFlags::Initial;
  EXPECT_EQ(flags, (std::vector<std::uint32_t>{base | 0x4160, base | 0x84120, base | 0x20160, base | 0x8E0,
                                               base | 0xE0, base | 0x120, base | 0x400, base | 0x400,
                                               base | 0x4160, base | 0x4160, base | 0x4160, base | 0x4160,
                                               base | 0x4160}));
  EXPECT_EQ(root->flags(), base | ControlFlags::Container);
}

TEST(LayoutLoader, ListBoxContentIsAStackPanel) {
  auto root = BuildTree("<ListBox/>");
  auto* list = dynamic_cast<ListBox*>(root.get());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->first_child(), list->items());
  EXPECT_EQ(typeid(*list->first_child()), typeid(StackPanel));
}

class ShoutingButton : public Button {};

TEST(LayoutLoader, ApplicationCreatorIsConsultedBeforeTheBuiltInOne) {
  const SetterRegistry setters = SetterRegistry::Standard();
  const ControlFactory factory = ControlFactory::Standard();
  ControlCreatorMap application;
  const LayoutLoader loader(setters, factory, application);
  auto before = loader.LoadLayoutText(u"<Grid><Button/></Grid>");
  EXPECT_EQ(typeid(*static_cast<Panel*>(before.get())->first_child()), typeid(Button));
  application[u"Button"] = MakeControlCreator<ShoutingButton>();
  application[u"Shout"] = MakeControlCreator<ShoutingButton>();
  auto after = loader.LoadLayoutText(u"<Grid><Button/><Shout/></Grid>");
  auto* panel = static_cast<Panel*>(after.get());
  EXPECT_EQ(typeid(*panel->first_child()), typeid(ShoutingButton));
  EXPECT_EQ(typeid(*panel->last_child()), typeid(ShoutingButton));
}

TEST(LayoutLoader, LayoutFileComesFromTheSourceWithOrWithoutAByteOrderMark) {
  const SetterRegistry setters = SetterRegistry::Standard();
  const ControlFactory factory = ControlFactory::Standard();
  const ControlCreatorMap none;
  LayoutLoader loader(setters, factory, none);
  EXPECT_FALSE(loader.LoadLayout(u"main.xml")) << "no source";
  auto source = std::make_unique<MemoryFileSource>();
  source->Put(u"main.xml", "\xEF\xBB\xBF<Window><Label text=\"ok\"/></Window>");
  source->Put(u"plain.xml", "<Grid/>");
  loader.SetSource(std::move(source));
  auto root = loader.LoadLayout(u"main.xml");
  ASSERT_TRUE(root);
  EXPECT_EQ(static_cast<Panel*>(root.get())->first_child()->GetText(), u"ok");
  EXPECT_TRUE(loader.LoadLayout(u"plain.xml"));
  EXPECT_FALSE(loader.LoadLayout(u"missing.xml")) << "a missing file gives a null root";
  EXPECT_FALSE(loader.LoadLayout(u"Main.xml"));
}

TEST(LayoutLoader, TreeAtTheNestingLimitBuildsAndOneLevelDeeperDoesNot) {
  auto root = BuildTree(testing::DeepLayout(256, "Button"));
  ASSERT_TRUE(root);
  EXPECT_EQ(testing::TreeDepth(*root), 256);
  EXPECT_FALSE(BuildTree(testing::DeepLayout(257, "Button")));
}

TEST(LayoutLoader, TreeAtTheNestingLimitAttachesLaysOutPaintsHitsAndGoes) {
  testing::AttachedTree tree(testing::DeepLayout(256, "Button width=\"10\" height=\"10\""));
  ASSERT_TRUE(tree.root());
  tree.Layout(400, 300);
  Control* leaf = tree.root();
  while (leaf->HasFlag(ControlFlags::Container)) leaf = static_cast<Panel*>(leaf)->first_child();
  EXPECT_TRUE(leaf->IsLive());
  const Rect r = leaf->GetWindowRect();
  ASSERT_EQ(r.width(), 10);
  ASSERT_EQ(r.height(), 10);
  EXPECT_EQ(tree.root()->HitTest(r.left + 5, r.top + 5), leaf);
  testing::RecordingPainter painter;
  tree.root()->Paint(painter, {0, 0, 400, 300}, {0, 0, 400, 300});
  EXPECT_EQ(std::count(painter.log.begin(), painter.log.end(), "save"), 255);
}

}  // namespace
}  // namespace vcam::dui
