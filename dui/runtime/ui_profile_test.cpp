// The two configurations of the toolkit: event numbers and flag bits as
// applications and scripts see them, and the vocabulary of layout files.
#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>
#include <utility>
#include <vector>

#include "dui/controls/button.h"
#include "dui/controls/label.h"
#include "dui/controls/scroll_panel.h"
#include "dui/controls/seperator.h"
#include "dui/core/attribute_names.h"
#include "dui/core/panel.h"
#include "dui/layout/wrap_panel.h"
#include "dui/runtime/ui_profile.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/testing/test_platform.h"

namespace vcam::dui {
namespace {

using testing::TestPlatform;
using testing::TestPlatformState;
using Pairs = std::vector<std::pair<std::int32_t, std::int32_t>>;  // {kind, external number}

// Every kind with the number its application knows it by.
const Pairs kLauncherNumbers = {
    {EventKind::Attached, 0},        {EventKind::Detached, 1},          {EventKind::GotFocus, 2},
    {EventKind::LostFocus, 3},       {EventKind::PreviewKeyDown, 4},    {EventKind::KeyDown, 5},
    {EventKind::PreviewKeyUp, 6},    {EventKind::KeyUp, 7},             {EventKind::PreviewKeyPress, 8},
    {EventKind::KeyPress, 9},        {EventKind::GotCapture, 10},       {EventKind::LostCapture, 11},
    {EventKind::PreviewLButtonDown, 12}, {EventKind::LButtonDown, 13},  {EventKind::PreviewLButtonUp, 14},
    {EventKind::LButtonUp, 15},      {EventKind::PreviewRButtonDown, 16}, {EventKind::RButtonDown, 17},
    {EventKind::PreviewRButtonUp, 18}, {EventKind::RButtonUp, 19},      {EventKind::LButtonDbClick, 20},
    {EventKind::RButtonDbClick, 21}, {EventKind::PreviewMouseWheel, 22}, {EventKind::MouseWheel, 23},
    {EventKind::MouseMove, 25},      {EventKind::MouseEnter, 26},       {EventKind::MouseLeave, 27},
    {EventKind::MouseHover, 28},     {EventKind::SetCursor, 29},        {EventKind::Click, 31},
    {EventKind::ValueChange, 32},    {EventKind::Notify, 33},           {EventKind::VisibleChanged, 34},
    {EventKind::DragEnter, 35},      {EventKind::DragOver, 36},         {EventKind::DragLeave, 37},
    {EventKind::Drop, 38},
};

const Pairs kUninstallerNumbers = {
    {EventKind::Attached, 0},        {EventKind::Detached, 1},          {EventKind::GotFocus, 2},
    {EventKind::LostFocus, 3},       {EventKind::PreviewKeyDown, 4},    {EventKind::KeyDown, 5},
    {EventKind::PreviewKeyUp, 6},    {EventKind::KeyUp, 7},             {EventKind::PreviewKeyPress, 8},
    {EventKind::KeyPress, 9},        {EventKind::GotCapture, 10},       {EventKind::LostCapture, 11},
    {EventKind::PreviewLButtonDown, 12}, {EventKind::LButtonDown, 13},  {EventKind::PreviewLButtonUp, 14},
    {EventKind::LButtonUp, 15},      {EventKind::PreviewRButtonDown, 16}, {EventKind::RButtonDown, 17},
    {EventKind::PreviewRButtonUp, 18}, {EventKind::RButtonUp, 19},      {EventKind::LButtonDbClick, 20},
    {EventKind::RButtonDbClick, 21}, {EventKind::PreviewMouseWheel, 22}, {EventKind::MouseWheel, 23},
    {EventKind::MouseMove, 25},      {EventKind::MouseEnter, 26},       {EventKind::MouseLeave, 27},
    {EventKind::SetCursor, 28},      {EventKind::Click, 30},            {EventKind::ValueChange, 31},
    {EventKind::Notify, 32},         {EventKind::DragEnter, 33},        {EventKind::DragOver, 34},
    {EventKind::DragLeave, 35},      {EventKind::Drop, 36},
};

void ExpectNumbers(const UiProfile& profile, const Pairs& table) {
  for (std::int32_t kind = -2; kind <= EventKind::Limit; ++kind) {
    std::int32_t expected = UiProfile::kNoEventNumber;
    for (const auto& [k, n] : table)
      if (k == kind) expected = n;
    EXPECT_EQ(profile.EventNumber(kind), expected) << "kind " << kind;
  }
  for (std::int32_t number = -2; number <= 64; ++number) {
    std::int32_t expected = EventKind::None;
    for (const auto& [k, n] : table)
      if (n == number) expected = k;
    EXPECT_EQ(profile.EventKindOf(number), expected) << "number " << number;
  }
}

TEST(UiProfileEvents, LauncherNumbersAreTheToolkitsOwn) { ExpectNumbers(UiProfile::Launcher(), kLauncherNumbers); }

TEST(UiProfileEvents, UninstallerNumbersTranslateBothWays) {
  const UiProfile& p = UiProfile::Uninstaller();
  ExpectNumbers(p, kUninstallerNumbers);
  EXPECT_EQ(p.EventNumber(EventKind::Click), 30);
  EXPECT_EQ(p.EventKindOf(30), EventKind::Click);
  EXPECT_EQ(p.EventKindOf(29), EventKind::None);
  EXPECT_EQ(p.EventNumber(EventKind::MouseHover), UiProfile::kNoEventNumber);
}

TEST(UiProfileFlags, LauncherFlagWordIsTheToolkitsOwn) {
  const UiProfile& p = UiProfile::Launcher();
  Button button;
  button.SetFlag(ControlFlags::Checked, true);
  EXPECT_EQ(p.ExternalFlags(button), button.flags());
  p.WriteExternalFlags(button, 0x10000, 0);
  EXPECT_FALSE(button.HasFlag(ControlFlags::Checked));
  p.WriteExternalFlags(button, 0x40000, 0x40000);
  EXPECT_TRUE(button.HasFlag(ControlFlags::ScriptTable));
}

TEST(UiProfileFlags, UninstallerCarriesCheckedAt0x4000AndScriptTableAt0x40000) {
  const UiProfile& p = UiProfile::Uninstaller();
  EXPECT_EQ(p.checked_bit, 0x4000u);
  EXPECT_EQ(p.script_table_bit, 0x40000u);

  Button button;  // has RouteStop, whose own bit is where the checked state shows
  ASSERT_TRUE(button.HasFlag(ControlFlags::RouteStop));
  EXPECT_EQ(p.ExternalFlags(button) & 0x4000u, 0u) << "not checked";
  button.SetFlag(ControlFlags::Checked, true);
  const std::uint32_t word = p.ExternalFlags(button);
  EXPECT_EQ(word & 0x4000u, 0x4000u);
  EXPECT_EQ(word & 0x10000u, 0u);
  EXPECT_EQ(word & (ControlFlags::Enabled | ControlFlags::Visible | ControlFlags::CaptureOnPress),
            ControlFlags::Enabled | ControlFlags::Visible | ControlFlags::CaptureOnPress);

  Label box;  // no RouteStop of its own
  p.WriteExternalFlags(box, 0x4000, 0x4000);
  EXPECT_TRUE(box.HasFlag(ControlFlags::Checked));
  EXPECT_FALSE(box.HasFlag(ControlFlags::RouteStop)) << "0x4000 outside means checked, not RouteStop";
  p.WriteExternalFlags(box, 0x40000, 0x40000);
  EXPECT_TRUE(box.HasFlag(ControlFlags::ScriptTable));
  EXPECT_EQ(p.ExternalFlags(box) & 0x40000u, 0x40000u);
  p.WriteExternalFlags(box, 0x10000 | 0x4000, 0x10000);
  EXPECT_FALSE(box.HasFlag(ControlFlags::Checked)) << "0x10000 stands for nothing outside";
  EXPECT_EQ(p.InternalFlag(0x10000), 0u);
  EXPECT_EQ(p.InternalFlag(0x4000 | 0x1), 0u) << "one bit at a time";
  EXPECT_EQ(p.InternalFlag(ControlFlags::Focused), ControlFlags::Focused);
}

class ProfileRuntime : public ::testing::Test {
 protected:
  void Start(const UiProfile& profile) {
    ASSERT_TRUE(Initialize(u"app", std::make_unique<TestPlatform>(state_), profile));
    runtime_ = UiRuntime::Instance();
  }
  void TearDown() override { Shutdown(); }
  std::unique_ptr<Control> Load(const char16_t* text) { return runtime_->layouts()->LoadLayoutText(text); }

  TestPlatformState state_;
  UiRuntime* runtime_ = nullptr;
};

std::vector<const std::type_info*> ChildTypes(Control& c) {
  std::vector<const std::type_info*> types;
  for (Control* child = static_cast<Panel&>(c).first_child(); child; child = child->next())
    types.push_back(&typeid(*child));
  return types;
}

TEST_F(ProfileRuntime, UninstallerHasItsOwnNamesAndMessages) {
  Start(UiProfile::Uninstaller());
  EXPECT_EQ(runtime_->window_class(), u"WINDOW:234:000");
  EXPECT_EQ(runtime_->profile().dispatcher_class, u"Dispatcher_Tarn124");
  EXPECT_EQ(runtime_->profile().repaint_message, 1025u);
  EXPECT_EQ(runtime_->profile().dispatch_message, 1025u);
  EXPECT_TRUE(runtime_->profile().integer_progress_fill);
  EXPECT_EQ(runtime_->profile().combo_dropped_style, u"ComboDropped_Bkgnd.xml");
}

TEST_F(ProfileRuntime, UninstallerLayoutsKnowNeitherWrapPanelNorTheSeparatorAlias) {
  Start(UiProfile::Uninstaller());
  auto root = Load(u"<Grid><WrapPanel><Label/></WrapPanel><Separator/><Seperator/><PowerPoint/>"
                   u"<LinkLabel/><Label/></Grid>");
  ASSERT_TRUE(root);
  EXPECT_EQ(ChildTypes(*root), (std::vector<const std::type_info*>{&typeid(Seperator), &typeid(Label)}));
}

TEST_F(ProfileRuntime, UninstallerControlsWithoutAToolkitClassBuildOnceRegistered) {
  Start(UiProfile::Uninstaller());
  EXPECT_EQ(runtime_->factory().controls().size(), 26u) << "28 names, PowerPoint and LinkLabel not yet made";
  EXPECT_EQ(runtime_->factory().styles().size(), 13u);
  EXPECT_NE(runtime_->factory().FindStyle(u"ButtonEx"), nullptr);
  EXPECT_NE(runtime_->factory().FindStyle(u"CheckButtonEx"), nullptr);
  runtime_->RegisterControlCreator(u"LinkLabel", MakeControlCreator<Label>());
  auto root = Load(u"<Grid><LinkLabel url=\"http://a\"/></Grid>");
  ASSERT_TRUE(root);
  Control* link = static_cast<Panel&>(*root).first_child();
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->class_name(), u"LinkLabel");
  ASSERT_NE(link->FindString(attr::url), nullptr);
  EXPECT_EQ(*link->FindString(attr::url), u"http://a");
}

TEST_F(ProfileRuntime, UninstallerAttributesDropTheScrollKeywordsAndAddTheEditOnes) {
  Start(UiProfile::Uninstaller());
  auto root = Load(u"<ScrollPanel scrollvertical=\"never\" textspace=\"4\" texteditable=\"0\" "
                   u"textpadding=\"6,7\" imagelist=\"a.png;b.png\"/>");
  ASSERT_TRUE(root);
  EXPECT_EQ(root->GetKeyword(attr::scrollvertical, Keyword::Auto), Keyword::Auto) << "not stored";
  std::int32_t space = -1;
  ASSERT_TRUE(root->FindValue(attr::textspace, &space));
  EXPECT_EQ(space, 4);
  EXPECT_EQ(root->GetInt(attr::texteditable, 1), 0);
  Size padding;
  ASSERT_TRUE(root->FindSize(attr::textpadding, &padding));
  EXPECT_EQ(padding, (Size{6, 7}));
  ASSERT_NE(root->FindString(attr::imagelist), nullptr);
  EXPECT_EQ(*root->FindString(attr::imagelist), u"a.png;b.png");
  EXPECT_EQ(runtime_->setters().size(), SetterRegistry::StandardAttributes().size() - 1 + 5);
}

TEST_F(ProfileRuntime, LauncherKeepsItsVocabulary) {
  Start(UiProfile::Launcher());
  auto root = Load(u"<ScrollPanel scrollvertical=\"never\" textspace=\"4\"><WrapPanel/><Separator/></ScrollPanel>");
  ASSERT_TRUE(root);
  EXPECT_EQ(root->GetKeyword(attr::scrollvertical, Keyword::Auto), Keyword::Never);
  std::int32_t space = -1;
  EXPECT_FALSE(root->FindValue(attr::textspace, &space));
  EXPECT_EQ(ChildTypes(*root), (std::vector<const std::type_info*>{&typeid(WrapPanel), &typeid(Seperator)}));
  EXPECT_EQ(runtime_->window_class(), u"app");
  EXPECT_EQ(runtime_->profile().combo_dropped_style, u"combobox_dropped.xml");
  EXPECT_EQ(runtime_->factory().FindStyle(u"ButtonEx"), nullptr) << "the launcher's style files know no ButtonEx";
}

TEST(UiProfileVocabulary, LauncherNamesAreExactlyTheToolkitsCreators) {
  const ControlFactory all = ControlFactory::Standard();
  const UiProfile& p = UiProfile::Launcher();
  ASSERT_EQ(p.elements.size(), 28u);
  ASSERT_EQ(p.styles.size(), 11u);
  EXPECT_EQ(all.controls().size(), p.elements.size());
  EXPECT_EQ(all.styles().size(), p.styles.size() + 2) << "and the uninstaller's ButtonEx and CheckButtonEx";
  for (const auto& name : p.elements) EXPECT_NE(all.FindControl(name), nullptr);
  for (const auto& name : p.styles) EXPECT_NE(all.FindStyle(name), nullptr);
  EXPECT_EQ(UiProfile::Uninstaller().elements.size(), 28u);
  ASSERT_EQ(UiProfile::Uninstaller().styles.size(), 13u);
  for (const auto& name : UiProfile::Uninstaller().styles) EXPECT_NE(all.FindStyle(name), nullptr) << "every style is made";
}

}  // namespace
}  // namespace vcam::dui
