#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "dui/controls/button.h"
#include "dui/controls/confirm_button.h"
#include "dui/controls/label.h"
#include "dui/core/attribute_names.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/testing/layout_text.h"
#include "dui/testing/test_platform.h"
#include "launcher/windows/alert_layout.h"
#include "launcher/windows/control_swap.h"
#include "launcher/windows/progress_display.h"
#include "launcher/windows/shadow_margins.h"

namespace vcam::launcher {
namespace {

TEST(ProgressText, ThreeEighthsShowsThirtySevenAndAHalfPercent) {
  EXPECT_EQ(progress_percent_text(375, 1000), u"37.50%");
  EXPECT_EQ(progress_percent_text(3u << 29, 1u << 31), u"75.00%");
  EXPECT_EQ(progress_percent_text(0, 8), u"0.00%");
  EXPECT_EQ(progress_percent_text(8, 8), u"100.00%");
  EXPECT_EQ(progress_percent_text(1, 3), u"33.33%");
  EXPECT_EQ(progress_percent_text(2, 3), u"66.67%") << "rounded, not cut";
}

TEST(ProgressText, AboveTheMaximumTheLabelIsNotClamped) {
  EXPECT_EQ(progress_percent_text(1500, 1000), u"150.00%");
  const std::uint32_t most = std::numeric_limits<std::uint32_t>::max();
  EXPECT_EQ(progress_percent_text(most, 1), u"429496729500.00%") << "the widest text still fits";
}

TEST(ProgressText, ZeroMaximumIsNoDivisionByZero) {
  EXPECT_EQ(progress_percent_text(0, 0), u"0.00%");
  EXPECT_EQ(progress_percent_text(5, 0), u"0.00%");
}

TEST(ProgressBarValues, PositionIsClampedToTheMaximum) {
  const progress_bar_values within = progress_bar_for(375, 1000);
  EXPECT_EQ(within.range, 1000);
  EXPECT_EQ(within.position, 375);
  const progress_bar_values above = progress_bar_for(1500, 1000);
  EXPECT_EQ(above.range, 1000);
  EXPECT_EQ(above.position, 1000) << "the bar fills exactly";
  const progress_bar_values empty = progress_bar_for(7, 0);
  EXPECT_EQ(empty.range, 0);
  EXPECT_EQ(empty.position, 0);
}

TEST(ProgressBarValues, TotalsOfTwoGibibytesAndMoreAreScaledNotWrapped) {
  const progress_bar_values half = progress_bar_for(0x80000000u, 0xFFFFFFFFu);
  EXPECT_GT(half.range, 0);
  EXPECT_EQ(half.range, 0x7FFFFFFF);
  EXPECT_EQ(half.position, 0x40000000);
  const progress_bar_values full = progress_bar_for(0xFFFFFFFFu, 0xFFFFFFFFu);
  EXPECT_EQ(full.position, full.range);
  const progress_bar_values largest_unscaled = progress_bar_for(5, 0x7FFFFFFFu);
  EXPECT_EQ(largest_unscaled.range, 0x7FFFFFFF);
  EXPECT_EQ(largest_unscaled.position, 5);
}

TEST(ShadowRect, GrowsTwentyFourteenSixteenTwentyOne) {
  EXPECT_EQ(shadow_rect_for({100, 200, 480, 400}), (dui::Rect{80, 186, 496, 421}));
  EXPECT_EQ(shadow_rect_for({0, 0, 0, 0}), (dui::Rect{-20, -14, 16, 21}));
}

TEST(AlertButtonSplit, ConfirmTakesHalfAndCancelTheRestButTheDivider) {
  const alert_button_split even = split_alert_buttons(380);
  EXPECT_EQ(even.confirm_width, 190);
  EXPECT_EQ(even.cancel_left_margin, 190);
  EXPECT_EQ(even.cancel_width, 189);
  const alert_button_split odd = split_alert_buttons(381);
  EXPECT_EQ(odd.confirm_width, 190) << "integer division";
  EXPECT_EQ(odd.cancel_width, 190);
  const alert_button_split none = split_alert_buttons(0);
  EXPECT_EQ(none.cancel_width, 0) << "never negative";
  EXPECT_EQ(split_alert_buttons(-5).confirm_width, 0);
  EXPECT_EQ(split_alert_buttons(1).cancel_width, 0);
}

class WithRuntime : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dui::Initialize(u"window_rules_test", std::make_unique<dui::testing::TestPlatform>(state_)));
  }
  void TearDown() override { dui::Shutdown(); }
  dui::testing::TestPlatformState state_;
};

using NoteLines = WithRuntime;

TEST_F(NoteLines, EachLineIsAGreyHitTransparentLabelThirteenPixelsBelowTheLast) {
  dui::testing::AttachedTree tree(R"(<Window width="380"><StackPanel id="2000" orientation="vertical"/></Window>)");
  auto* notes = dynamic_cast<dui::Panel*>(tree.ById(2000));
  ASSERT_NE(notes, nullptr);
  add_note_lines(*notes, {u"first", u"", u"third line"});
  ASSERT_EQ(notes->child_count(), 3);
  std::vector<std::u16string> texts;
  for (dui::Control* c = notes->first_child(); c; c = c->next()) {
    EXPECT_NE(dynamic_cast<dui::Label*>(c), nullptr);
    EXPECT_EQ(c->flags() & 0xFFF, dui::ControlFlags::Enabled | dui::ControlFlags::Visible |
                                       dui::ControlFlags::HitTransparent);
    EXPECT_EQ(c->GetColor(dui::attr::color, 0), 0x666666u);
    EXPECT_EQ(c->GetRect(dui::attr::margin), (dui::Rect{0, 13, 0, 0}));
    EXPECT_TRUE(c->IsLive()) << "attached with the panel";
    texts.push_back(c->GetText());
  }
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"first", u"", u"third line"})) << "in order, empty lines kept";

  tree.Layout(800, 600);
  // Text lines are 16 pixels high on the test platform and an empty one 0;
  // each line adds its margin of 13.
  const dui::Control* first = notes->first_child();
  const dui::Control* third = first->next()->next();
  EXPECT_EQ(first->rect().top, 13);
  EXPECT_EQ(third->rect().top, 13 + 16 + 13 + 0 + 13);
  EXPECT_EQ(notes->desired().cy, 3 * 13 + 2 * 16);
}

TEST_F(NoteLines, NoLinesAddNothing) {
  dui::testing::AttachedTree tree(R"(<StackPanel id="2000"/>)");
  auto* notes = dynamic_cast<dui::Panel*>(tree.root());
  add_note_lines(*notes, {});
  EXPECT_EQ(notes->child_count(), 0);
}

TEST(ControlSwap, TheReplacementKeepsPropertiesFlagsNameAndPlace) {
  std::unique_ptr<dui::Control> root = dui::testing::BuildTree(
      R"(<Grid><Label id="1"/><Button id="1004" style="confirmbutton.xml" icon="icon_ok.png" width="190" )"
      R"(margin="1,2,3,4" text="OK"/><Label id="3"/></Grid>)");
  ASSERT_NE(root, nullptr);
  auto* grid = dynamic_cast<dui::Panel*>(root.get());
  dui::Control* old = grid->first_child()->next();
  old->SetVisible(false);
  old->SetFlag(dui::ControlFlags::Hover | dui::ControlFlags::Pressed, true);

  dui::ConfirmButton* swapped = make_control_class<dui::ConfirmButton>(*old);
  ASSERT_NE(swapped, nullptr);
  EXPECT_EQ(grid->child_count(), 3);
  EXPECT_EQ(grid->first_child()->next(), swapped) << "in the old control's place";
  EXPECT_EQ(grid->first_child()->GetInt(dui::attr::id, 0), 1);
  EXPECT_EQ(swapped->next()->GetInt(dui::attr::id, 0), 3);
  EXPECT_EQ(grid->last_child(), swapped->next());
  EXPECT_EQ(swapped->parent(), grid);
  EXPECT_EQ(swapped->GetInt(dui::attr::id, 0), 1004);
  EXPECT_EQ(swapped->GetInt(dui::attr::width, 0), 190);
  EXPECT_EQ(swapped->GetRect(dui::attr::margin), (dui::Rect{1, 2, 3, 4}));
  ASSERT_NE(swapped->FindString(dui::attr::icon), nullptr);
  EXPECT_EQ(*swapped->FindString(dui::attr::icon), u"icon_ok.png");
  EXPECT_EQ(swapped->GetText(), u"OK");
  EXPECT_EQ(swapped->class_name(), u"Button");
  EXPECT_FALSE(swapped->HasFlag(dui::ControlFlags::Visible)) << "flags carried over";
  EXPECT_TRUE(swapped->HasFlag(dui::ControlFlags::CaptureOnPress));
  EXPECT_FALSE(swapped->HasFlag(dui::ControlFlags::Hover)) << "the window's tracking states are not";
  EXPECT_FALSE(swapped->HasFlag(dui::ControlFlags::Pressed));

  EXPECT_EQ(make_control_class<dui::ConfirmButton>(*swapped), swapped) << "already of the class: unchanged";
}

TEST(ControlSwap, AnAttachedControlLeavesTheIdMapForItsReplacement) {
  dui::testing::AttachedTree tree(R"(<Grid><Button id="1007"/><Button id="1008"/></Grid>)");
  dui::Control* old = tree.ById(1007);
  ASSERT_NE(old, nullptr);
  dui::Control* swapped = make_control_class<dui::ConfirmButton>(*old);
  ASSERT_NE(swapped, nullptr);
  EXPECT_EQ(tree.ById(1007), swapped);
  EXPECT_TRUE(swapped->IsLive());
  EXPECT_NE(tree.ById(1008), nullptr) << "the siblings that moved are attached again";
  EXPECT_EQ(dynamic_cast<dui::Panel*>(tree.root())->last_child(), tree.ById(1008));
}

TEST(ControlSwap, TheRootCannotBeSwapped) {
  std::unique_ptr<dui::Control> root = dui::testing::BuildTree(R"(<Button id="1"/>)");
  EXPECT_EQ(swap_control(*root, std::make_unique<dui::ConfirmButton>()), nullptr);
  EXPECT_EQ(root->GetInt(dui::attr::id, 0), 1);
  std::unique_ptr<dui::Control> grid = dui::testing::BuildTree(R"(<Grid><Button id="1"/></Grid>)");
  EXPECT_EQ(swap_control(*dynamic_cast<dui::Panel*>(grid.get())->first_child(), nullptr), nullptr);
  EXPECT_EQ(dynamic_cast<dui::Panel*>(grid.get())->child_count(), 1);
}

}  // namespace
}  // namespace vcam::launcher
