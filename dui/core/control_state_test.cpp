// What controls and script bindings call on a control: removing handlers,
// enabling, class names, and pages shown by a parent that does not list them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dui/controls/button.h"
#include "dui/controls/label.h"
#include "dui/core/attribute_names.h"
#include "dui/core/control.h"
#include "dui/core/panel.h"
#include "dui/factory/control_factory.h"
#include "dui/fields/setter_registry.h"
#include "dui/layout/canvas.h"
#include "dui/layout/grid.h"
#include "dui/load/layout_loader.h"
#include "dui/load/text_resource.h"
#include "dui/testing/layout_text.h"
#include "dui/testing/test_window.h"

namespace vcam::dui {
namespace {

using testing::AttachedTree;
using testing::TestWindow;
using Log = std::vector<std::string>;

Panel* AsPanel(Control* c) { return static_cast<Panel*>(c); }

struct Named {
  Log* log;
  std::string name;
  Control* target = nullptr;  // whose handler `victim` this one removes
  Named* victim = nullptr;
  bool removed = false;
};

void Say(void* context, Control*, EventArgs&) {
  auto* n = static_cast<Named*>(context);
  n->log->push_back(n->name);
  if (n->victim) n->removed = n->target->RemoveHandler(EventKind::Click, n->victim, &Say);
}

TEST(RemoveHandler, RemovesTheFirstMatchingRegistrationOnly) {
  AttachedTree tree(R"(<Grid><Button id="1"/></Grid>)");
  Control* button = tree.ById(1);
  Log log;
  Named a{&log, "a"}, b{&log, "b"};
  button->AddHandler(EventKind::Click, &a, &Say);
  button->AddHandler(EventKind::Click, &b, &Say);
  button->AddHandler(EventKind::Click, &a, &Say);
  EXPECT_TRUE(button->RemoveHandler(EventKind::Click, &a, &Say));
  EXPECT_FALSE(button->RemoveHandler(EventKind::Click, &b, nullptr)) << "function must match too";
  EXPECT_FALSE(button->RemoveHandler(EventKind::Click + 1, &b, &Say)) << "kind must match too";
  EXPECT_EQ(button->HandlerCount(EventKind::Click), 2u);
  EventArgs args{EventKind::Click, Routing::Direct, 0, 0, 0};
  button->RaiseEvent(args);
  EXPECT_EQ(log, (Log{"b", "a"}));
  EXPECT_TRUE(button->RemoveHandler(EventKind::Click, &b, &Say));
  EXPECT_TRUE(button->RemoveHandler(EventKind::Click, &a, &Say));
  EXPECT_FALSE(button->RemoveHandler(EventKind::Click, &a, &Say));
  EXPECT_EQ(button->HandlerCount(EventKind::Click), 0u);
}

TEST(RemoveHandler, HandlerRemovedDuringARaiseIsNotCalledAndTheRaiseGoesOn) {
  AttachedTree tree(R"(<Grid><Button id="1"/></Grid>)");
  Control* button = tree.ById(1);
  Log log;
  Named second{&log, "second"}, third{&log, "third"};
  Named first{&log, "first", button, &second};
  Named self{&log, "self", button};
  self.victim = &self;
  button->AddHandler(EventKind::Click, &first, &Say);
  button->AddHandler(EventKind::Click, &self, &Say);
  button->AddHandler(EventKind::Click, &second, &Say);
  button->AddHandler(EventKind::Click, &third, &Say);
  EventArgs args{EventKind::Click, Routing::Direct, 0, 0, 0};
  button->RaiseEvent(args);
  EXPECT_TRUE(first.removed);
  EXPECT_TRUE(self.removed);
  EXPECT_EQ(log, (Log{"first", "self", "third"}));
  log.clear();
  first.victim = nullptr;
  button->RaiseEvent(args);
  EXPECT_EQ(log, (Log{"first", "third"}));
}

TEST(SetEnabled, DisablingAnAttachedControlReleasesItAndInvalidates) {
  AttachedTree tree(R"(<Grid><StackPanel id="2"><Button id="3"/></StackPanel></Grid>)");
  Control* panel = tree.ById(2);
  TestWindow& window = tree.window();
  window.focused = tree.ById(3);
  window.captured = tree.ById(3);
  panel->SetEnabled(false);
  EXPECT_FALSE(panel->IsEnabled());
  EXPECT_EQ(window.removed, (std::vector<const Control*>{panel}));
  EXPECT_EQ(window.focused, nullptr);
  EXPECT_EQ(window.captured, nullptr);
  EXPECT_EQ(window.invalidated, (std::vector<const Control*>{panel}));

  panel->SetEnabled(false);
  EXPECT_EQ(window.invalidated.size(), 1u) << "no change, nothing happens";
  panel->SetEnabled(true);
  EXPECT_TRUE(panel->IsEnabled());
  EXPECT_EQ(window.removed.size(), 1u) << "enabling releases nothing";
  EXPECT_EQ(window.invalidated.size(), 2u);
}

TEST(SetEnabled, DetachedControlOnlyChangesItsFlag) {
  Button button;
  button.SetEnabled(false);
  EXPECT_FALSE(button.HasFlag(ControlFlags::Enabled));
  button.SetEnabled(true);
  EXPECT_TRUE(button.IsEnabled());
}

TEST(ClassName, IsTheElementNameTheControlWasBuiltFor) {
  auto root = testing::BuildTree(R"(<Window><Separator/><Seperator/><Image/><Button/><StackPanel/></Window>)");
  ASSERT_TRUE(root);
  std::vector<std::u16string> names{root->class_name()};
  for (Control* c = AsPanel(root.get())->first_child(); c; c = c->next()) names.push_back(c->class_name());
  EXPECT_EQ(names, (std::vector<std::u16string>{u"Window", u"Separator", u"Seperator", u"Image", u"Button",
                                                u"StackPanel"}));
}

TEST(ClassName, ApplicationCreatorGivesItsElementName) {
  const SetterRegistry setters = SetterRegistry::Standard();
  const ControlFactory factory = ControlFactory::Standard();
  ControlCreatorMap mine;
  mine[u"LinkLabel"] = MakeControlCreator<Label>();
  const LayoutLoader loader(setters, factory, mine);
  auto root = loader.LoadLayoutText(u"<Grid><LinkLabel/></Grid>");
  ASSERT_TRUE(root);
  EXPECT_EQ(AsPanel(root.get())->first_child()->class_name(), u"LinkLabel");
}

TEST(ClassName, ControlsMadeInCodeNameTheirKind) {
  EXPECT_EQ(Control().class_name(), u"Control");
  EXPECT_EQ(Grid().class_name(), u"Panel");
  Label label;
  label.SetClassName(u"LinkLabel");
  EXPECT_EQ(label.class_name(), u"LinkLabel");
}

// Shows one page that is not among its children, as a tab control does.
class PagedPanel : public Canvas {
 public:
  Control* HitTest(std::int32_t x, std::int32_t y) override {
    if (!Control::HitTest(x, y)) return nullptr;
    if (page)
      if (Control* hit = page->HitTest(x - page->rect().left, y - page->rect().top)) return hit;
    return Panel::HitTest(x, y);
  }
  Control* page = nullptr;
};

struct PageFixture {
  PageFixture() : tree(R"(<Canvas/>)") {
    auto* root = AsPanel(tree.root());
    auto owned = std::make_unique<PagedPanel>();
    owned->SetValue(attr::x, 10);
    owned->SetValue(attr::y, 20);
    owned->SetValue(attr::width, 200);
    owned->SetValue(attr::height, 100);
    paged = static_cast<PagedPanel*>(root->AddChild(std::move(owned)));
    page = testing::BuildTree(R"(<Grid margin="30,40,0,0"><Button id="9" width="20" height="10"
                                 horizontalAlign="left" verticalAlign="top"/></Grid>)");
    page_button = AsPanel(page.get())->first_child();
  }
  ~PageFixture() {
    if (page && page->IsLive()) page->Detach();
  }
  void ShowPage() {
    ASSERT_TRUE(page->SetLogicalParent(paged));
    page->Attach(&tree.window());
    paged->page = page.get();
    tree.Layout(400, 300);
    page->Measure(200, 100);
    page->Arrange(0, 0, 200, 100);
  }

  AttachedTree tree;
  PagedPanel* paged = nullptr;
  std::unique_ptr<Control> page;
  Control* page_button = nullptr;
};

TEST(LogicalParent, PageIsHitAndPlacedThroughItsLogicalParent) {
  PageFixture f;
  f.ShowPage();
  EXPECT_EQ(f.page->parent(), f.paged);
  EXPECT_EQ(f.paged->child_count(), 0);
  EXPECT_EQ(f.tree.ById(9), f.page_button) << "attached pages enter the id map";
  // The root's own offset is left out; the paged panel's and the page's count.
  EXPECT_EQ(f.page_button->GetWindowRect(), (Rect{40, 60, 60, 70}));
  EXPECT_EQ(f.tree.root()->HitTest(45, 65), f.page_button);
  EXPECT_EQ(f.tree.root()->HitTest(45, 80), f.page.get());
}

TEST(LogicalParent, EventsBubbleAndRemovalReachesThePageThroughItsLogicalParent) {
  PageFixture f;
  f.ShowPage();
  Log log;
  Named on_paged{&log, "paged"};
  f.paged->AddHandler(EventKind::MouseMove, &on_paged, &Say);
  EventArgs move{EventKind::MouseMove, Routing::Bubble, 0, 0, 0};
  f.page->RaiseEvent(move);
  EXPECT_EQ(log, (Log{"paged"}));

  f.tree.window().focused = f.page_button;
  f.paged->SetVisible(false);
  EXPECT_EQ(f.tree.window().focused, nullptr) << "the page lies inside the hidden panel";
}

TEST(LogicalParent, PageIsNotAChildToRemoveAndListedChildrenCannotTakeOne) {
  PageFixture f;
  f.ShowPage();
  EXPECT_EQ(f.paged->RemoveChild(f.page.get()), nullptr);
  EXPECT_TRUE(f.page->IsLive());
  EXPECT_EQ(f.page->parent(), f.paged);
  EXPECT_FALSE(f.page_button->SetLogicalParent(f.paged)) << "it is in its panel's child list";
  EXPECT_FALSE(f.page->SetLogicalParent(static_cast<Panel*>(f.page.get())));
}

TEST(LogicalParent, DetachedOrDestroyedPageLeavesItsLogicalParentsChildrenAlone) {
  PageFixture f;
  f.ShowPage();
  auto* other = AsPanel(f.paged)->AddChild(std::make_unique<Button>());
  f.page->Detach();
  EXPECT_FALSE(f.page_button->IsLive());
  EXPECT_EQ(f.tree.ById(9), nullptr);
  f.page->Attach(&f.tree.window());
  f.paged->page = nullptr;
  const std::size_t calls = f.tree.window().removed_chains.size();
  f.page.reset();  // destroyed while attached
  ASSERT_EQ(f.tree.window().removed_chains.size(), calls + 2);
  EXPECT_EQ(f.tree.window().removed_chains[calls][1], f.paged) << "the window sees the logical parent";
  EXPECT_EQ(f.paged->child_count(), 1);
  EXPECT_EQ(f.paged->first_child(), other);
  EXPECT_EQ(other->parent(), f.paged);
}

}  // namespace
}  // namespace vcam::dui
