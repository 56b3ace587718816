// Attach and detach, the id map, visibility, coordinates and hit testing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dui/controls/button.h"
#include "dui/controls/label.h"
#include "dui/core/control.h"
#include "dui/core/panel.h"
#include "dui/layout/grid.h"
#include "dui/testing/layout_text.h"
#include "dui/testing/test_window.h"

namespace vcam::dui {
namespace {

using testing::AttachedTree;
using testing::TestWindow;
using Log = std::vector<std::string>;

struct Recorder {
  Log log;
  struct Entry {
    Recorder* recorder;
    std::string name;
  };
  std::vector<std::unique_ptr<Entry>> entries;

  void Watch(Control* c, const std::string& name) {
    entries.push_back(std::make_unique<Entry>(Entry{this, name}));
    for (std::int32_t kind : {EventKind::Attached, EventKind::Detached, EventKind::VisibleChanged})
      c->AddHandler(kind, entries.back().get(), &Run);
  }
  static void Run(void* context, Control* sender, EventArgs& args) {
    auto* e = static_cast<Entry*>(context);
    std::string what = args.kind == EventKind::Attached   ? "attached"
                       : args.kind == EventKind::Detached ? "detached"
                                                          : "visible=" + std::to_string(args.param1);
    e->recorder->log.push_back(e->name + " " + what + (sender->IsLive() ? "" : " (not live)"));
  }
};

// root Grid > panel Grid > button, label
std::unique_ptr<Panel> MakeTree(Recorder& r, Control** button, Control** label, Panel** panel) {
  auto root = std::make_unique<Grid>();
  auto inner = std::make_unique<Grid>();
  auto b = std::make_unique<Button>();
  auto l = std::make_unique<Label>();
  r.Watch(root.get(), "root");
  r.Watch(inner.get(), "panel");
  r.Watch(b.get(), "button");
  r.Watch(l.get(), "label");
  *button = inner->AddChild(std::move(b));
  *label = inner->AddChild(std::move(l));
  *panel = static_cast<Panel*>(root->AddChild(std::move(inner)));
  return root;
}

TEST(Attach, EachControlGetsAttachedThenItsVisibilityParentsBeforeChildren) {
  Recorder r;
  Control *button, *label;
  Panel* panel;
  auto root = MakeTree(r, &button, &label, &panel);
  EXPECT_TRUE(r.log.empty()) << "a detached tree raises nothing";
  TestWindow window;
  root->Attach(&window);
  EXPECT_EQ(r.log, (Log{"root attached", "root visible=1", "panel attached", "panel visible=1",
                        "button attached", "button visible=1", "label attached", "label visible=1"}));
  for (Control* c : {static_cast<Control*>(root.get()), static_cast<Control*>(panel), button, label}) {
    EXPECT_TRUE(c->IsLive());
    EXPECT_EQ(c->window(), &window);
    EXPECT_TRUE(c->HasFlag(ControlFlags::IsVisible));
  }
  root->Detach();
}

TEST(Attach, DetachTellsTheWindowFirstAndRaisesDetachedChildrenFirst) {
  Recorder r;
  Control *button, *label;
  Panel* panel;
  auto root = MakeTree(r, &button, &label, &panel);
  TestWindow window;
  root->Attach(&window);
  r.log.clear();
  root->Detach();
  EXPECT_EQ(r.log, (Log{"button detached", "label detached", "panel detached", "root detached"}));
  EXPECT_EQ(window.removed, (std::vector<const Control*>{root.get(), panel, button, label}));
  EXPECT_FALSE(root->IsLive());
  EXPECT_FALSE(button->IsLive());
  EXPECT_EQ(button->window(), nullptr);
}

TEST(Attach, ChildAddedToAnAttachedPanelIsAttachedAndRemovedChildDetached) {
  AttachedTree tree(R"(<Grid id="1"/>)");
  auto* root = static_cast<Panel*>(tree.root());
  auto child = std::make_unique<Label>();
  Control* added = root->AddChild(std::move(child));
  EXPECT_TRUE(added->IsLive());
  EXPECT_EQ(added->window(), &tree.window());
  std::unique_ptr<Control> back = root->RemoveChild(added);
  ASSERT_EQ(back.get(), added);
  EXPECT_FALSE(added->IsLive());
  EXPECT_EQ(added->parent(), nullptr);
  EXPECT_EQ(root->child_count(), 0);
  EXPECT_EQ(root->first_child(), nullptr);
}

TEST(Attach, RemoveChildRefusesAControlOfAnotherPanel) {
  AttachedTree tree(R"(<Grid><Grid id="2"><Label id="3"/></Grid><Grid id="4"/></Grid>)");
  auto* other = static_cast<Panel*>(tree.ById(4));
  EXPECT_EQ(other->RemoveChild(tree.ById(3)), nullptr);
  EXPECT_EQ(other->RemoveChild(nullptr), nullptr);
  EXPECT_TRUE(tree.ById(3)->IsLive());
}

TEST(Attach, ChildCanMoveFromOnePanelToAnother) {
  AttachedTree tree(R"(<Grid><Grid id="2"><Label id="3"/><Label id="5"/></Grid><Grid id="4"/></Grid>)");
  auto* from = static_cast<Panel*>(tree.ById(2));
  auto* to = static_cast<Panel*>(tree.ById(4));
  Control* label = tree.ById(3);
  to->AddChild(from->RemoveChild(label));
  EXPECT_EQ(label->parent(), to);
  EXPECT_TRUE(label->IsLive());
  EXPECT_EQ(from->first_child(), tree.ById(5));
  EXPECT_EQ(tree.ById(5)->previous(), nullptr);
  EXPECT_EQ(to->child_count(), 1);
}

TEST(Attach, RemovingFromADetachedPanelUnlinksToo) {
  std::unique_ptr<Control> root = testing::BuildTree(R"(<Grid><Label/><Button/><Label/></Grid>)");
  auto* panel = static_cast<Panel*>(root.get());
  Control* middle = panel->first_child()->next();
  std::unique_ptr<Control> removed = panel->RemoveChild(middle);
  ASSERT_EQ(removed.get(), middle);
  EXPECT_EQ(panel->child_count(), 2);
  EXPECT_EQ(panel->first_child()->next(), panel->last_child());
  EXPECT_EQ(panel->last_child()->previous(), panel->first_child());
}

TEST(Attach, IdMapAnswersForAttachedControlsOnly) {
  AttachedTree tree(R"(<Grid id="1"><Label id="7"/><Label id="7" text="later"/><Label id="8"/></Grid>)");
  ASSERT_NE(tree.ById(7), nullptr);
  EXPECT_EQ(tree.ById(7)->GetText(), u"later") << "a later attach replaces the entry";
  EXPECT_EQ(tree.ById(99), nullptr);
  Control* eight = tree.ById(8);
  {
    std::unique_ptr<Control> gone = static_cast<Panel*>(tree.root())->RemoveChild(eight);
    EXPECT_EQ(tree.ById(8), nullptr) << "detached";
  }
  EXPECT_EQ(tree.ById(8), nullptr) << "destroyed";
}

TEST(Attach, DestroyingAnAttachedControlTellsTheWindowAndLeavesTheLiveSet) {
  AttachedTree tree(R"(<Grid><Grid id="2"><Label id="3"/></Grid></Grid>)");
  Control* panel = tree.ById(2);
  Control* label = tree.ById(3);
  const std::size_t live = LiveControlSet::Size();
  delete panel;
  EXPECT_EQ(LiveControlSet::Size(), live - 2);
  EXPECT_EQ(tree.window().removed, (std::vector<const Control*>{panel, label})) << "the panel before its children";
  EXPECT_EQ(static_cast<Panel*>(tree.root())->child_count(), 0);
  EXPECT_EQ(tree.ById(2), nullptr);
  EXPECT_EQ(tree.ById(3), nullptr);
}

TEST(Visibility, HidingAPanelHidesItsSubtreeAndTellsTheWindow) {
  Recorder r;
  Control *button, *label;
  Panel* panel;
  auto root = MakeTree(r, &button, &label, &panel);
  TestWindow window;
  root->Attach(&window);
  r.log.clear();
  panel->SetVisible(false);
  EXPECT_EQ(r.log, (Log{"panel visible=0", "button visible=0", "label visible=0"}));
  EXPECT_EQ(window.removed, (std::vector<const Control*>{panel}));
  EXPECT_EQ(window.invalidated, (std::vector<const Control*>{panel}));
  EXPECT_TRUE(button->HasFlag(ControlFlags::Visible)) << "only the effective state changes";
  EXPECT_FALSE(button->HasFlag(ControlFlags::IsVisible));

  r.log.clear();
  panel->SetVisible(false);
  EXPECT_TRUE(r.log.empty()) << "no change, nothing happens";
  button->SetVisible(false);
  EXPECT_TRUE(r.log.empty()) << "a child of a hidden panel stays not visible";
  panel->SetVisible(true);
  EXPECT_EQ(r.log, (Log{"panel visible=1", "label visible=1"}));
  root->Detach();
}

TEST(Visibility, InvisibleAtAttachRaisesNothing) {
  AttachedTree tree(R"(<Grid><Label id="1" visible="0"/></Grid>)");
  EXPECT_FALSE(tree.ById(1)->HasFlag(ControlFlags::IsVisible));
}

TEST(Visibility, DetachedControlDoesNotUpdate) {
  Label label;
  label.UpdateIsVisible();
  EXPECT_FALSE(label.HasFlag(ControlFlags::IsVisible));
  label.SetVisible(false);
  EXPECT_FALSE(label.HasFlag(ControlFlags::Visible));
}

TEST(Coordinates, WindowRectAddsTheAncestorsBelowTheRoot) {
  AttachedTree tree(R"(<Canvas><Canvas id="2" x="10" y="20" width="100" height="100">
      <Canvas id="3" x="5" y="6" width="50" height="50"><Label id="4" x="1" y="2" width="3" height="4"/>
      </Canvas></Canvas></Canvas>)");
  tree.Layout(300, 300);
  EXPECT_EQ(tree.ById(4)->rect(), (Rect{1, 2, 4, 6}));
  EXPECT_EQ(tree.ById(4)->GetWindowRect(), (Rect{16, 28, 19, 32}));
  EXPECT_EQ(tree.root()->GetWindowRect(), tree.root()->rect());
  tree.window().cursor = {20, 30};
  EXPECT_EQ(tree.ById(4)->GetCursorPosition(), (Point{4, 2}));
}

TEST(Coordinates, DetachedControlHasAnEmptyWindowRect) {
  Label label;
  EXPECT_EQ(label.GetWindowRect(), Rect{});
  EXPECT_EQ(label.GetCursorPosition(), Point{});
}

TEST(HitTesting, DeepestTopmostVisibleNonTransparentControlIsHit) {
  AttachedTree tree(R"(<Canvas>
      <Canvas id="2" x="10" y="10" width="100" height="100">
        <Button id="3" x="0" y="0" width="50" height="50"/>
        <Button id="4" x="25" y="25" width="50" height="50"/>
        <Label id="5" x="0" y="60" width="40" height="40"/>
      </Canvas></Canvas>)");
  tree.Layout(300, 300);
  Control* root = tree.root();
  EXPECT_EQ(root->HitTest(15, 15), tree.ById(3));
  EXPECT_EQ(root->HitTest(40, 40), tree.ById(4)) << "the last-added child is on top";
  EXPECT_EQ(root->HitTest(20, 80), tree.ById(2)) << "labels are hit-transparent";
  EXPECT_EQ(root->HitTest(200, 200), root);
  EXPECT_EQ(root->HitTest(110, 15), root) << "right edge excluded";
  EXPECT_EQ(root->HitTest(-1, 0), nullptr);
  tree.ById(4)->SetVisible(false);
  EXPECT_EQ(root->HitTest(40, 40), tree.ById(3));
  tree.ById(2)->SetFlag(ControlFlags::HitTransparent, true);
  EXPECT_EQ(root->HitTest(15, 15), root) << "a transparent panel hides its subtree";
}

TEST(Text, SetTextInvalidatesOnlyWhenTheTextChanges) {
  AttachedTree tree(R"(<Grid><Label id="1" text="a"/></Grid>)");
  Control* label = tree.ById(1);
  label->SetText(u"a");
  EXPECT_TRUE(tree.window().invalidated.empty());
  label->SetText(u"b");
  EXPECT_EQ(label->GetText(), u"b");
  EXPECT_EQ(tree.window().invalidated.size(), 1u);
}

}  // namespace
}  // namespace vcam::dui
