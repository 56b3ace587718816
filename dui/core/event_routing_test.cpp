// Routed events: the order handlers run in, where routing stops, and what a
// handler may do to the tree while an event is being raised.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dui/core/control.h"
#include "dui/core/panel.h"
#include "dui/testing/layout_text.h"

namespace vcam::dui {
namespace {

using testing::AttachedTree;
using Log = std::vector<std::string>;

// One registered handler: appends its name to the log, optionally sets handled
// or runs an action.
struct Probe {
  Log* log;
  std::string name;
  bool set_handled = false;
  void (*action)(Probe&) = nullptr;
  void* data = nullptr;

  static void Run(void* context, Control*, EventArgs& args) {
    auto* p = static_cast<Probe*>(context);
    p->log->push_back(p->name);
    if (p->set_handled) args.handled = 1;
    if (p->action) p->action(*p);
  }
};

constexpr std::int32_t kEvent = EventKind::PreviewLButtonDown;

class EventRouting : public ::testing::Test {
 public:
  EventRouting()
      : tree_(R"(<Grid id="1"><StackPanel id="2"><Button id="3"/><Label id="4"/></StackPanel></Grid>)") {}

  Probe& Add(std::int32_t id, const std::string& name, std::int32_t kind = kEvent) {
    probes_.push_back(std::make_unique<Probe>(Probe{&log_, name}));
    tree_.ById(id)->AddHandler(kind, probes_.back().get(), &Probe::Run);
    return *probes_.back();
  }
  void Raise(std::int32_t id, Routing routing, std::int32_t kind = kEvent) {
    EventArgs args{kind, routing, 0, 0, 0};
    tree_.ById(id)->RaiseEvent(args);
  }
  void AddTwoEach() {
    for (int id = 1; id <= 4; ++id)
      for (int n = 1; n <= 2; ++n) Add(id, std::to_string(id) + "." + std::to_string(n));
  }

  AttachedTree tree_;
  Log log_;
  std::vector<std::unique_ptr<Probe>> probes_;
};

TEST_F(EventRouting, TunnelRunsOutermostFirstEachControlInRegistrationOrder) {
  AddTwoEach();
  Raise(4, Routing::Tunnel);
  EXPECT_EQ(log_, (Log{"1.1", "1.2", "2.1", "2.2", "4.1", "4.2"}));
}

TEST_F(EventRouting, BubbleRunsTheTargetFirstEachControlInRegistrationOrder) {
  AddTwoEach();
  Raise(4, Routing::Bubble);
  EXPECT_EQ(log_, (Log{"4.1", "4.2", "2.1", "2.2", "1.1", "1.2"}));
}

TEST_F(EventRouting, DirectRunsOnlyTheTargetsHandlers) {
  AddTwoEach();
  Raise(2, Routing::Direct);
  EXPECT_EQ(log_, (Log{"2.1", "2.2"}));
}

TEST_F(EventRouting, ButtonStopsTunnelAndBubbleAtItselfThroughRouteStop) {
  AddTwoEach();
  Raise(3, Routing::Tunnel);
  Raise(3, Routing::Bubble);
  EXPECT_EQ(log_, (Log{"3.1", "3.2", "3.1", "3.2"}));
}

TEST_F(EventRouting, RouteStopOnAPanelEndsTheClimbAfterThatPanel) {
  AddTwoEach();
  tree_.ById(2)->SetFlag(ControlFlags::RouteStop, true);
  Raise(4, Routing::Bubble);
  EXPECT_EQ(log_, (Log{"4.1", "4.2", "2.1", "2.2"}));
}

TEST_F(EventRouting, HandledStopsTheRemainingHandlers) {
  Add(4, "first").set_handled = true;
  Add(4, "second");
  Add(2, "panel");
  Raise(4, Routing::Bubble);
  EXPECT_EQ(log_, (Log{"first"}));
}

TEST_F(EventRouting, HandledDuringTunnelStopsBeforeTheTarget) {
  Add(1, "root");
  Add(2, "panel").set_handled = true;
  Add(4, "label");
  EventArgs args{kEvent, Routing::Tunnel, 0, 0, 0};
  tree_.ById(4)->RaiseEvent(args);
  EXPECT_EQ(log_, (Log{"root", "panel"}));
  EXPECT_NE(args.handled, 0);
}

TEST_F(EventRouting, OnlyHandlersOfTheRaisedKindRun) {
  Add(4, "click", EventKind::Click);
  Add(4, "move", EventKind::MouseMove);
  Raise(4, Routing::Direct, EventKind::Click);
  EXPECT_EQ(log_, (Log{"click"}));
}

TEST_F(EventRouting, MoreThanSixteenHandlersInOneRaiseAreAllCalled) {
  Log expected_order;
  for (int id : {1, 2, 4})
    for (int n = 0; n < 9; ++n) Add(id, std::to_string(id) + "." + std::to_string(n));
  for (int id : {4, 2, 1})
    for (int n = 0; n < 9; ++n) expected_order.push_back(std::to_string(id) + "." + std::to_string(n));
  Raise(4, Routing::Bubble);
  EXPECT_EQ(log_, expected_order);
  log_.clear();
  Raise(4, Routing::Tunnel);
  Log tunnel_order;
  for (int id : {1, 2, 4})
    for (int n = 0; n < 9; ++n) tunnel_order.push_back(std::to_string(id) + "." + std::to_string(n));
  EXPECT_EQ(log_, tunnel_order);
}

TEST_F(EventRouting, EventOnADetachedControlRunsNothing) {
  Add(4, "label");
  std::unique_ptr<Control> label =
      static_cast<Panel*>(tree_.ById(2))->RemoveChild(tree_.ById(4));
  ASSERT_TRUE(label);
  EventArgs args{kEvent, Routing::Direct, 0, 0, 0};
  label->RaiseEvent(args);
  EXPECT_TRUE(log_.empty());
}

TEST_F(EventRouting, HandlerThatDestroysASiblingSkipsTheSiblingsPendingHandlers) {
  // The panel's handler removes and destroys the button; a second panel
  // handler and the root still run. Raise from the label, bubble.
  auto* panel = static_cast<Panel*>(tree_.ById(2));
  Control* button = tree_.ById(3);
  Add(4, "label");
  Probe& killer = Add(2, "panel.kill");
  killer.data = button;
  killer.action = [](Probe& p) {
    auto* b = static_cast<Control*>(p.data);
    std::unique_ptr<Control> removed = b->parent()->RemoveChild(b);
  };
  Add(2, "panel.after");
  Add(1, "root");
  Raise(4, Routing::Bubble);
  EXPECT_EQ(log_, (Log{"label", "panel.kill", "panel.after", "root"}));
  EXPECT_EQ(panel->child_count(), 1);
}

TEST_F(EventRouting, HandlerThatDestroysAnAncestorSkipsItsHandlersAndStops) {
  // The label's handler destroys the panel (and with it the label): the
  // panel's handlers are cleared, and nothing further runs with the dead label.
  auto* root = static_cast<Panel*>(tree_.ById(1));
  Probe& killer = Add(4, "label.kill");
  killer.data = root;
  killer.action = [](Probe& p) {
    auto* r = static_cast<Panel*>(p.data);
    std::unique_ptr<Control> removed = r->RemoveChild(r->first_child());
  };
  Add(4, "label.after");
  Add(2, "panel");
  Add(1, "root");
  Raise(4, Routing::Bubble);
  EXPECT_EQ(log_, (Log{"label.kill"}));
  EXPECT_EQ(root->child_count(), 0);
  EXPECT_EQ(tree_.ById(2), nullptr);
}

TEST_F(EventRouting, HandlerThatDestroysTheTargetDuringTunnelEndsTheRaise) {
  auto* panel = static_cast<Panel*>(tree_.ById(2));
  Probe& killer = Add(2, "panel.kill");
  killer.data = panel;
  killer.action = [](Probe& p) {
    auto* pn = static_cast<Panel*>(p.data);
    std::unique_ptr<Control> removed = pn->RemoveChild(pn->last_child());
  };
  Add(2, "panel.after");
  Add(4, "label");
  Raise(4, Routing::Tunnel);
  EXPECT_EQ(log_, (Log{"panel.kill"}));
}

TEST_F(EventRouting, HandlerAddedDuringARaiseRunsFromTheNextRaiseOn) {
  Probe& adder = Add(4, "adder");
  adder.data = this;
  adder.action = [](Probe& p) {
    auto* self = static_cast<EventRouting*>(p.data);
    self->Add(4, "late");
    p.action = nullptr;
  };
  Raise(4, Routing::Direct);
  EXPECT_EQ(log_, (Log{"adder"}));
  Raise(4, Routing::Direct);
  EXPECT_EQ(log_, (Log{"adder", "adder", "late"}));
}

TEST_F(EventRouting, AddHandlerReturnsThePositionInItsList) {
  Control* label = tree_.ById(4);
  EXPECT_EQ(label->AddHandler(EventKind::Click, nullptr, &Probe::Run), 0u);
  EXPECT_EQ(label->AddHandler(EventKind::Click, nullptr, nullptr), 1u);
  EXPECT_EQ(label->AddHandler(EventKind::Notify, nullptr, nullptr), 0u);
  EXPECT_EQ(label->HandlerCount(EventKind::Click), 2u);
}

TEST_F(EventRouting, DelegateWithoutAFunctionIsSkipped) {
  tree_.ById(4)->AddHandler(kEvent, nullptr, nullptr);
  Add(4, "real");
  Raise(4, Routing::Direct);
  EXPECT_EQ(log_, (Log{"real"}));
}

TEST_F(EventRouting, SenderIsTheRaisedControlAtEveryLevel) {
  struct Seen {
    std::vector<Control*> senders;
    static void Run(void* c, Control* sender, EventArgs&) {
      static_cast<Seen*>(c)->senders.push_back(sender);
    }
  } seen;
  tree_.ById(1)->AddHandler(kEvent, &seen, &Seen::Run);
  tree_.ById(4)->AddHandler(kEvent, &seen, &Seen::Run);
  Raise(4, Routing::Bubble);
  EXPECT_EQ(seen.senders, (std::vector<Control*>{tree_.ById(4), tree_.ById(4)}));
}

}  // namespace
}  // namespace vcam::dui
