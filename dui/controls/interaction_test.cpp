// Buttons under the mouse: click detection, toggles, radio selection, the
// title bar's window drag, and what the controls are made with.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dui/controls/confirm_button.h"
#include "dui/controls/title_bar.h"
#include "dui/core/panel.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/testing/event_counter.h"
#include "dui/testing/layout_text.h"
#include "dui/testing/test_platform.h"

namespace vcam::dui {
namespace {

using testing::AttachedTree;
using testing::EventCounter;
using Log = std::vector<std::string>;

// The window host's handling of the left button, reduced to what buttons rely
// on: hit test, capture with Pressed on press, the release raised Direct on
// the captured control, then the capture dropped.
class Mouse {
 public:
  explicit Mouse(AttachedTree& tree) : tree_(tree) {}

  void Press(std::int32_t x, std::int32_t y) {
    tree_.window().cursor = {x, y};
    Control* hit = tree_.root()->HitTest(x, y);
    if (!hit || !hit->HasFlag(ControlFlags::Enabled)) return;
    EventArgs preview{EventKind::PreviewLButtonDown, Routing::Tunnel, 0, 0, 0};
    hit->RaiseEvent(preview);
    if (preview.handled) return;
    if (hit->HasFlag(ControlFlags::CaptureOnPress)) {
      tree_.window().CaptureControl(hit);
      hit->SetFlag(ControlFlags::Pressed, true);
    }
    EventArgs down{EventKind::LButtonDown, Routing::Bubble, 0, 0, 0};
    hit->RaiseEvent(down);
  }

  void Move(std::int32_t x, std::int32_t y) { tree_.window().cursor = {x, y}; }

  // The handled value the LButtonUp event ended with (-1: none was raised).
  std::int32_t Release(std::int32_t x, std::int32_t y) {
    tree_.window().cursor = {x, y};
    if (Control* captured = tree_.window().captured) {
      EventArgs up{EventKind::LButtonUp, Routing::Direct, 0, 0, 0};
      captured->RaiseEvent(up);
      tree_.window().ReleaseControlCapture();
      captured->SetFlag(ControlFlags::Pressed, false);
      EventArgs lost{EventKind::LostCapture, Routing::Direct, 0, 0, 0};
      captured->RaiseEvent(lost);
      return up.handled;
    }
    Control* hit = tree_.root()->HitTest(x, y);
    if (!hit || !hit->HasFlag(ControlFlags::Enabled)) return -1;
    EventArgs preview{EventKind::PreviewLButtonUp, Routing::Tunnel, 0, 0, 0};
    hit->RaiseEvent(preview);
    if (preview.handled) return -1;
    EventArgs up{EventKind::LButtonUp, Routing::Bubble, 0, 0, 0};
    hit->RaiseEvent(up);
    return up.handled;
  }

  void Click(std::int32_t x, std::int32_t y) {
    Press(x, y);
    Release(x, y);
  }

 private:
  AttachedTree& tree_;
};

// Appends "<name> <kind>" for each event of the watched kinds; for Click also
// whether the sender was still pressed.
struct Recorder {
  Log log;
  struct Watch {
    Recorder* recorder;
    std::string name;
  };
  std::vector<std::unique_ptr<Watch>> watches;

  void Add(Control& control, const std::string& name, std::initializer_list<std::int32_t> kinds) {
    watches.push_back(std::make_unique<Watch>(Watch{this, name}));
    for (std::int32_t kind : kinds) control.AddHandler(kind, watches.back().get(), &Run);
  }
  static void Run(void* context, Control* sender, EventArgs& args) {
    auto* w = static_cast<Watch*>(context);
    std::string entry = w->name + " " + std::to_string(args.kind);
    if (args.kind == EventKind::Click)
      entry += std::string(args.routing == Routing::Direct ? " direct" : " routed") +
               (args.param1 || args.param2 ? " params" : "") +
               (sender->HasFlag(ControlFlags::Pressed) ? " pressed" : "");
    w->recorder->log.push_back(entry);
  }
};

class Controls : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Initialize(u"controls", std::make_unique<testing::TestPlatform>(state_))); }
  void TearDown() override { Shutdown(); }

  int RunPending() { return static_cast<testing::TestPlatform&>(UiRuntime::Instance()->platform()).RunPending(); }

  testing::TestPlatformState state_;
};

// A 40 x 20 button at (10, 10) in a 100 x 100 grid.
constexpr std::string_view kOneButton =
    R"(<Grid><Button id="1" width="40" height="20" margin="10,10,0,0" horizontalAlign="left" verticalAlign="top"/></Grid>)";

TEST_F(Controls, PressMoveOutAndReleaseGivesNoClickButIsHandled) {
  AttachedTree tree(kOneButton);
  tree.Layout(100, 100);
  EventCounter clicks;
  clicks.Watch(*tree.ById(1), EventKind::Click);
  Mouse mouse(tree);

  mouse.Press(15, 15);
  ASSERT_TRUE(tree.ById(1)->HasFlag(ControlFlags::Pressed));
  mouse.Move(70, 15);
  EXPECT_EQ(mouse.Release(70, 15), 1);
  EXPECT_EQ(RunPending(), 0);
  EXPECT_EQ(clicks.count, 0);

  // Just past the right and bottom edges (exclusive) is outside too.
  mouse.Press(15, 15);
  EXPECT_EQ(mouse.Release(50, 15), 1);
  mouse.Press(15, 15);
  EXPECT_EQ(mouse.Release(15, 30), 1);
  RunPending();
  EXPECT_EQ(clicks.count, 0);
}

TEST_F(Controls, PressMoveOutAndBackInAndReleaseClicksOnceAfterTheRelease) {
  AttachedTree tree(kOneButton);
  tree.Layout(100, 100);
  EventCounter clicks;
  clicks.Watch(*tree.ById(1), EventKind::Click);
  Mouse mouse(tree);

  mouse.Press(15, 15);
  mouse.Move(90, 90);
  mouse.Move(49, 29);  // the last pixel inside
  EXPECT_EQ(mouse.Release(49, 29), 1);
  EXPECT_EQ(clicks.count, 0) << "the click is posted, not raised during the release";
  EXPECT_EQ(RunPending(), 1);
  EXPECT_EQ(clicks.count, 1);

  mouse.Click(10, 10);  // the first pixel inside
  RunPending();
  EXPECT_EQ(clicks.count, 2);
}

TEST_F(Controls, ClickArrivesDirectWithoutParamsAfterTheReleaseIsFullyProcessed) {
  AttachedTree tree(kOneButton);
  tree.Layout(100, 100);
  Control* button = tree.ById(1);
  Recorder recorder;
  recorder.Add(*button, "button", {EventKind::LostCapture, EventKind::Click});
  recorder.Add(*tree.root(), "owner", {EventKind::Click});
  // A handler the owner adds for the release comes after click detection,
  // which has handled the release of a pressed button.
  recorder.Add(*button, "owner", {EventKind::LButtonUp});
  Mouse mouse(tree);

  mouse.Click(20, 20);
  recorder.log.push_back("released");
  RunPending();
  EXPECT_EQ(recorder.log, (Log{"button 11", "released", "button 31 direct"}));
}

TEST_F(Controls, ReleaseOverAButtonThatWasNotPressedIsLeftToOthers) {
  AttachedTree tree(kOneButton);
  tree.Layout(100, 100);
  Recorder recorder;
  recorder.Add(*tree.ById(1), "button", {EventKind::LButtonUp, EventKind::Click});
  Mouse mouse(tree);

  mouse.Press(80, 80);  // on the grid, which does not capture
  EXPECT_EQ(mouse.Release(20, 20), 0);
  RunPending();
  EXPECT_EQ(recorder.log, (Log{"button 15"}));
}

TEST_F(Controls, ClickPostedToAButtonRemovedMeanwhileIsDropped) {
  AttachedTree tree(kOneButton);
  tree.Layout(100, 100);
  Control* button = tree.ById(1);
  Mouse mouse(tree);
  mouse.Click(20, 20);
  std::unique_ptr<Control> removed = static_cast<Panel*>(tree.root())->RemoveChild(button);
  ASSERT_TRUE(removed);
  EventCounter clicks;
  clicks.Watch(*removed, EventKind::Click);
  EXPECT_EQ(RunPending(), 1);
  EXPECT_EQ(clicks.count, 0);
}

TEST_F(Controls, LabelOverAButtonLetsClicksThroughToTheButton) {
  AttachedTree tree(R"(<Grid><Button id="1"/><Label id="2" text="OK"/></Grid>)");
  tree.Layout(100, 40);
  ASSERT_EQ(tree.ById(2)->rect(), (Rect{0, 0, 100, 40}));
  EXPECT_EQ(tree.root()->HitTest(50, 20), tree.ById(1));
  EventCounter label_downs, clicks;
  label_downs.Watch(*tree.ById(2), EventKind::LButtonDown);
  clicks.Watch(*tree.ById(1), EventKind::Click);

  Mouse(tree).Click(50, 20);
  RunPending();
  EXPECT_EQ(clicks.count, 1);
  EXPECT_EQ(label_downs.count, 0);
}

// Toggle buttons, toggle icon buttons and check boxes flip Checked on each click.
class Toggles : public Controls, public ::testing::WithParamInterface<const char*> {};

TEST_P(Toggles, ClickedTwiceEndsUncheckedAfterTwoValueChanges) {
  AttachedTree tree("<Grid><" + std::string(GetParam()) + R"( id="1"/></Grid>)");
  tree.Layout(50, 20);
  Control* toggle = tree.ById(1);
  Recorder recorder;
  recorder.Add(*toggle, "toggle", {EventKind::ValueChange});
  Mouse mouse(tree);

  mouse.Click(5, 5);
  RunPending();
  EXPECT_TRUE(toggle->HasFlag(ControlFlags::Checked));
  EXPECT_EQ(recorder.log, (Log{"toggle 32"}));
  tree.window().invalidated.clear();

  mouse.Click(5, 5);
  RunPending();
  EXPECT_FALSE(toggle->HasFlag(ControlFlags::Checked));
  EXPECT_EQ(recorder.log, (Log{"toggle 32", "toggle 32"}));
  EXPECT_EQ(tree.window().invalidated, (std::vector<const Control*>{toggle}));

  // Released outside: no click, no change.
  mouse.Press(5, 5);
  mouse.Release(60, 5);
  RunPending();
  EXPECT_FALSE(toggle->HasFlag(ControlFlags::Checked));
  EXPECT_EQ(recorder.log.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, Toggles, ::testing::Values("ToggleButton", "ToggleIconButton", "CheckBox"));

TEST_F(Controls, RadioButtonIsCheckedOnceAndNotClearedByItsNeighbour) {
  AttachedTree tree(R"(<StackPanel orientation="horizontal">
      <RadioButton id="1" width="20" height="20"/><RadioButton id="2" width="20" height="20"/></StackPanel>)");
  tree.Layout(100, 20);
  Control* first = tree.ById(1);
  Control* second = tree.ById(2);
  Recorder recorder;
  recorder.Add(*first, "first", {EventKind::ValueChange});
  recorder.Add(*second, "second", {EventKind::ValueChange});
  Mouse mouse(tree);

  mouse.Click(5, 5);
  RunPending();
  EXPECT_TRUE(first->HasFlag(ControlFlags::Checked));
  EXPECT_EQ(recorder.log, (Log{"first 32"}));
  tree.window().invalidated.clear();

  mouse.Click(5, 5);
  RunPending();
  EXPECT_TRUE(first->HasFlag(ControlFlags::Checked));
  EXPECT_EQ(recorder.log, (Log{"first 32"})) << "a checked radio button clicked again raises nothing";
  EXPECT_TRUE(tree.window().invalidated.empty());

  mouse.Click(25, 5);
  RunPending();
  EXPECT_TRUE(second->HasFlag(ControlFlags::Checked));
  EXPECT_TRUE(first->HasFlag(ControlFlags::Checked)) << "the owner clears the others";
  EXPECT_EQ(recorder.log, (Log{"first 32", "second 32"}));
}

TEST_F(Controls, TitleBarPressAsksItsWindowForTheSystemMove) {
  AttachedTree tree(R"(<Grid><TitleBar id="1" height="30" verticalAlign="top"/></Grid>)");
  tree.Layout(200, 100);
  int native = 0;
  tree.window().native_handle = &native;
  Mouse mouse(tree);

  mouse.Press(50, 10);
  ASSERT_EQ(state_.system_commands.size(), 1u);
  EXPECT_EQ(state_.system_commands[0].window, &native);
  EXPECT_EQ(state_.system_commands[0].command, 0xF012u);
  EXPECT_FALSE(tree.ById(1)->HasFlag(ControlFlags::Pressed)) << "the move loop has the mouse, not the control";
  mouse.Release(50, 10);

  mouse.Click(50, 60);  // below the bar
  EXPECT_EQ(state_.system_commands.size(), 1u);

  // A window without a platform window has nothing to move.
  tree.window().native_handle = nullptr;
  mouse.Press(50, 10);
  EXPECT_EQ(state_.system_commands.size(), 1u);
}

// The flags each element is made with; buttons also carry their handlers.
TEST_F(Controls, ElementsAreMadeWithTheirFlagsAndHandlers) {
  struct Case {
    const char* element;
    std::uint32_t flags;
    std::size_t lbutton_up, click, lbutton_down;
  };
  const Case cases[] = {
      {"Button", 0x4163, 1, 0, 0},     {"IconButton", 0x4163, 1, 0, 0},   {"ImageButton", 0x4163, 1, 0, 0},
      {"ToggleButton", 0x4163, 1, 1, 0}, {"ToggleIconButton", 0x4163, 1, 1, 0}, {"CheckBox", 0x4163, 1, 1, 0},
      {"RadioButton", 0x4163, 1, 1, 0}, {"TitleBar", 0x3, 0, 0, 1},      {"Label", 0x403, 0, 0, 0},
      {"Seperator", 0x403, 0, 0, 0},   {"Separator", 0x403, 0, 0, 0},    {"ProgressBar", 0x403, 0, 0, 0},
      {"Image", 0x3, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.element);
    std::unique_ptr<Control> control = testing::BuildTree("<" + std::string(c.element) + "/>");
    ASSERT_TRUE(control);
    EXPECT_EQ(control->flags(), c.flags);
    EXPECT_EQ(control->HandlerCount(EventKind::LButtonUp), c.lbutton_up);
    EXPECT_EQ(control->HandlerCount(EventKind::Click), c.click);
    EXPECT_EQ(control->HandlerCount(EventKind::LButtonDown), c.lbutton_down);
  }
  ConfirmButton confirm;
  EXPECT_EQ(confirm.flags(), 0x4163u);
  EXPECT_EQ(confirm.HandlerCount(EventKind::LButtonUp), 1u);
  EXPECT_EQ(confirm.HandlerCount(EventKind::Click), 0u);
}

TEST_F(Controls, ConfirmButtonClicksLikeAButton) {
  AttachedTree tree(R"(<Grid/>)");
  auto* grid = static_cast<Panel*>(tree.root());
  Control* confirm = grid->AddChild(std::make_unique<ConfirmButton>());
  tree.Layout(60, 30);
  EventCounter clicks;
  clicks.Watch(*confirm, EventKind::Click);
  Mouse(tree).Click(30, 15);
  RunPending();
  EXPECT_EQ(clicks.count, 1);
}

}  // namespace
}  // namespace vcam::dui
