// Which control takes a drag, and the events it gets.
#include "dui/window/drop_routing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dui/testing/layout_text.h"

namespace vcam::dui {
namespace {

using testing::AttachedTree;
using Log = std::vector<std::string>;

constexpr std::uint32_t kCopy = 1;

struct DragProbe {
  Log* log;
  std::string name;
  bool accept = true;
  static void Run(void* context, Control*, EventArgs& args) {
    auto* p = static_cast<DragProbe*>(context);
    const auto* record = reinterpret_cast<const DropEventRecord*>(args.param1);
    static const char* const kNames[] = {"enter", "over", "leave", "drop"};
    p->log->push_back(p->name + " " + kNames[args.kind - EventKind::DragEnter] + " " +
                      std::to_string(record->cursor.x) + "," + std::to_string(record->cursor.y));
    if (p->accept) args.handled = 1;
  }
};

// Two drop zones side by side in a root that takes no drops; zone 2 holds a
// panel (without AllowDrop) that passes drags to it.
class Dragging : public ::testing::Test {
 protected:
  Dragging()
      : tree_(R"(<Canvas><Grid id="2" width="100" height="100"><Grid id="4" width="20" height="20"/></Grid>)"
              R"(<Grid id="3" x="100" width="100" height="100"/></Canvas>)") {
    tree_.Layout(200, 100);
    for (int id : {2, 3}) {
      Control* c = tree_.ById(id);
      c->SetFlag(ControlFlags::AllowDrop, true);
      probes_.push_back(DragProbe{&log_, "z" + std::to_string(id)});
    }
    for (int i = 0; i < 2; ++i)
      for (std::int32_t kind = EventKind::DragEnter; kind <= EventKind::Drop; ++kind)
        tree_.ById(i + 2)->AddHandler(kind, &probes_[i], &DragProbe::Run);
  }
  Control* root() { return tree_.root(); }

  AttachedTree tree_;
  Log log_;
  std::vector<DragProbe> probes_;  // reserved size never changes after construction
};

TEST_F(Dragging, NearestAllowDropAncestorOfTheHitControlTakesTheDrag) {
  EXPECT_EQ(DropRouting::FindDropControl(root(), {5, 5}), tree_.ById(2)) << "through the inner panel";
  EXPECT_EQ(DropRouting::FindDropControl(root(), {150, 5}), tree_.ById(3));
  EXPECT_EQ(DropRouting::FindDropControl(root(), {250, 5}), nullptr);
  EXPECT_EQ(DropRouting::FindDropControl(nullptr, {5, 5}), nullptr);
  DropRouting routing;
  std::uint32_t effect = kCopy;
  routing.Enter(root(), {5, 5}, &effect);
  EXPECT_EQ(routing.target(), tree_.ById(2));
  EXPECT_EQ(effect, kCopy);
  EXPECT_EQ(log_, (Log{"z2 enter 5,5"}));
}

TEST_F(Dragging, RefusedEnterClearsTheEffectAndTakesNothing) {
  probes_[0].accept = false;
  DropRouting routing;
  std::uint32_t effect = kCopy;
  routing.Enter(root(), {5, 5}, &effect);
  EXPECT_EQ(routing.target(), nullptr);
  EXPECT_EQ(effect, DropRouting::kEffectNone);
  effect = kCopy;
  routing.Enter(root(), {250, 5}, &effect);
  EXPECT_EQ(effect, DropRouting::kEffectNone) << "nothing under the cursor";
}

TEST_F(Dragging, MovingToAnotherZoneLeavesTheOldAndEntersTheNew) {
  DropRouting routing;
  std::uint32_t effect = kCopy;
  routing.Enter(root(), {5, 5}, &effect);
  routing.Over(root(), {6, 5}, &effect);
  routing.Over(root(), {150, 5}, &effect);
  EXPECT_EQ(effect, kCopy);
  EXPECT_EQ(routing.target(), tree_.ById(3));
  routing.Drop({150, 6}, &effect);
  EXPECT_EQ(routing.target(), nullptr);
  EXPECT_EQ(log_, (Log{"z2 enter 5,5", "z2 over 6,5", "z2 leave 150,5", "z3 enter 150,5", "z3 over 150,5",
                       "z3 drop 150,6"}));
}

TEST_F(Dragging, OverKeepsTheEffectOnlyWhenHandled) {
  DropRouting routing;
  std::uint32_t effect = kCopy;
  routing.Enter(root(), {5, 5}, &effect);
  probes_[0].accept = false;
  routing.Over(root(), {6, 6}, &effect);
  EXPECT_EQ(effect, DropRouting::kEffectNone);
  EXPECT_EQ(routing.target(), tree_.ById(2)) << "still the target";
}

TEST_F(Dragging, LeaveAndDropWithoutATarget) {
  DropRouting routing;
  std::uint32_t effect = kCopy;
  routing.Enter(root(), {5, 5}, &effect);
  routing.Leave({1, 1});
  EXPECT_EQ(routing.target(), nullptr);
  routing.Leave({1, 1});
  effect = kCopy;
  routing.Drop({1, 1}, &effect);
  EXPECT_EQ(effect, DropRouting::kEffectNone);
  EXPECT_EQ(log_, (Log{"z2 enter 5,5", "z2 leave 1,1"}));
}

TEST_F(Dragging, TargetDetachedDuringTheDragGetsNothingMore) {
  DropRouting routing;
  std::uint32_t effect = kCopy;
  routing.Enter(root(), {150, 5}, &effect);
  std::unique_ptr<Control> gone = static_cast<Panel*>(root())->RemoveChild(tree_.ById(3));
  routing.Over(root(), {150, 5}, &effect);
  EXPECT_EQ(effect, DropRouting::kEffectNone);
  EXPECT_EQ(routing.target(), nullptr);
  EXPECT_EQ(log_, (Log{"z3 enter 150,5"}));
}

}  // namespace
}  // namespace vcam::dui
