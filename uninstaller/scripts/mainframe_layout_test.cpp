// "mainframe.xml" read by the uninstaller's configuration of the toolkit:
// every control the scripts reach by id exists with its class, skin and
// place, and only the first page with its confirm bar shows at the start.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/text_utf.h"
#include "dui/core/attribute_names.h"
#include "dui/core/panel.h"
#include "dui/runtime/ui_profile.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/testing/test_platform.h"
#include "uninstaller/scripts/testing/file_text.h"

namespace vcam::uninstaller {
namespace {

using dui::Control;
namespace attr = dui::attr;

class Mainframe : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dui::Initialize(u"uninstaller", std::make_unique<dui::testing::TestPlatform>(platform_),
                                dui::UiProfile::Uninstaller()));
    const std::string text = testing::file_text(std::string(VCAM_SCRIPTS_DIR) + "/mainframe.xml");
    ASSERT_FALSE(text.empty());
    root_ = dui::UiRuntime::Instance()->layouts()->LoadLayoutText(utf8_to_utf16(text));
    ASSERT_TRUE(root_);
    Collect(*root_);
  }
  void TearDown() override {
    root_.reset();
    dui::Shutdown();
  }
  void Collect(Control& c) {
    std::int32_t id = 0;
    if (c.FindValue(attr::id, &id)) by_id_[id] = &c;
    else if (c.class_name() != u"Window") unnamed_.push_back(&c);
    if (!c.HasFlag(dui::ControlFlags::Container)) return;
    for (Control* child = static_cast<dui::Panel&>(c).first_child(); child; child = child->next()) Collect(*child);
  }
  Control& at(std::int32_t id) {
    static Control* none = nullptr;
    auto it = by_id_.find(id);
    EXPECT_NE(it, by_id_.end()) << id;
    return it == by_id_.end() ? *none : *it->second;
  }
  static std::string text(const Control& c, dui::PropertyKey key) {
    const std::u16string* s = c.FindString(key);
    return s ? utf16_to_utf8(*s) : "(none)";
  }
  static std::int32_t number(const Control& c, dui::PropertyKey key) { return c.GetInt(key, -1); }

  dui::testing::TestPlatformState platform_;
  std::unique_ptr<Control> root_;
  std::map<std::int32_t, Control*> by_id_;
  std::vector<Control*> unnamed_;
};

TEST_F(Mainframe, EveryIdTheScriptsUseExistsWithItsClass) {
  const std::map<std::int32_t, std::u16string> expected = {
      {1000, u"Grid"},   {1002, u"Grid"},        {1003, u"Button"}, {1004, u"Button"},
      {1005, u"Grid"},   {1006, u"ProgressBar"}, {1007, u"Label"},  {2000, u"Grid"},
      {2001, u"Button"}, {5000, u"Button"}};
  ASSERT_EQ(by_id_.size(), expected.size());
  for (const auto& [id, cls] : expected) EXPECT_EQ(at(id).class_name(), cls) << id;
  EXPECT_EQ(text(*root_, attr::style), "bkgnd.xml");
  std::vector<std::u16string> others;
  for (const Control* c : unnamed_) others.push_back(c->class_name());
  EXPECT_EQ(others, (std::vector<std::u16string>{u"Image", u"Label", u"Image", u"Grid", u"TitleBar"}));
  EXPECT_EQ(text(*unnamed_[0], attr::src), "page1.png");
  EXPECT_EQ(text(*unnamed_[1], attr::text), "已完成：");
  EXPECT_EQ(text(*unnamed_[2], attr::src), "page2.png");
}

TEST_F(Mainframe, ButtonsCarryTheirTextsSkinsAndFonts) {
  EXPECT_EQ(text(at(1003), attr::text), "取消");
  EXPECT_EQ(text(at(1003), attr::style), "button_gray.xml");
  EXPECT_EQ(text(at(1004), attr::text), "开始卸载");
  EXPECT_EQ(text(at(1004), attr::style), "button.xml");
  EXPECT_EQ(text(at(2001), attr::text), "完成");
  EXPECT_EQ(text(at(2001), attr::style), "button.xml");
  for (std::int32_t id : {1003, 1004, 2001}) {
    EXPECT_EQ(text(at(id), attr::font), "Default.Big") << id;
    EXPECT_EQ(number(at(id), attr::width), 136) << id;
    EXPECT_EQ(number(at(id), attr::height), 43) << id;
  }
  EXPECT_EQ(text(at(5000), attr::tooltip), "关闭");
  EXPECT_EQ(text(at(5000), attr::style), "button_close.xml");
  EXPECT_EQ(number(at(5000), attr::width), 27);
}

TEST_F(Mainframe, TheProgressRowHoldsTheBarAndThePercentage) {
  EXPECT_EQ(text(at(1006), attr::progressbkimg), "pro_bg.png");
  EXPECT_EQ(text(at(1006), attr::progressimg), "pro_fg.png");
  EXPECT_EQ(number(at(1006), attr::width), 516);
  EXPECT_EQ(number(at(1006), attr::height), 9);
  EXPECT_EQ(text(at(1007), attr::text), "00% ");
  EXPECT_EQ(text(at(1007), attr::font), "Default.Bold");
  EXPECT_EQ(at(1006).parent(), &at(1005));
  EXPECT_EQ(at(1007).parent(), &at(1005));
}

TEST_F(Mainframe, OnlyTheFirstPageAndItsConfirmBarShowAtTheStart) {
  EXPECT_TRUE(at(1000).HasFlag(dui::ControlFlags::Visible));
  EXPECT_TRUE(at(1002).HasFlag(dui::ControlFlags::Visible));
  EXPECT_FALSE(at(1005).HasFlag(dui::ControlFlags::Visible));
  EXPECT_FALSE(at(2000).HasFlag(dui::ControlFlags::Visible));
  // Hiding page 1 must take its bars with it.
  EXPECT_EQ(at(1002).parent(), &at(1000));
  EXPECT_EQ(at(1005).parent(), &at(1000));
  EXPECT_EQ(at(2001).parent()->parent(), &at(2000));
  for (std::int32_t id : {1000, 2000}) {
    EXPECT_EQ(number(at(id), attr::width), 645) << id;
    EXPECT_EQ(number(at(id), attr::height), 400) << id;
  }
}

}  // namespace
}  // namespace vcam::uninstaller
