// What a window and a script see while controls are destroyed: the id map,
// the order of ControlRemoved, and destroy handlers.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dui/controls/label.h"
#include "dui/core/attribute_names.h"
#include "dui/core/control.h"
#include "dui/core/panel.h"
#include "dui/testing/layout_text.h"
#include "dui/testing/test_window.h"

namespace vcam::dui {
namespace {

using testing::AttachedTree;
using testing::TestWindow;
using Chain = std::vector<const Control*>;

Panel* AsPanel(Control* c) { return static_cast<Panel*>(c); }

TEST(IdMap, ControlMadeAtTheAddressOfADestroyedOneIsNotFoundUnderItsId) {
  AttachedTree tree(R"(<Grid><Label id="5"/></Grid>)");
  Control* old = tree.ById(5);
  ASSERT_NE(old, nullptr);
  const void* address = old;
  delete old;  // while attached
  EXPECT_EQ(tree.ById(5), nullptr);

  // Keep allocating until the allocator hands the address out again, then
  // attach the newcomer (without an id) to the same window. A sanitizer's
  // quarantine holds freed blocks back, so there the case may not arise.
  constexpr int kTries = 20000;
  std::vector<std::unique_ptr<Label>> made;
  Control* reused = nullptr;
  for (int i = 0; i < kTries && !reused; ++i) {
    made.push_back(std::make_unique<Label>());
    if (static_cast<const void*>(made.back().get()) == address) {
      reused = AsPanel(tree.root())->AddChild(std::move(made.back()));
      made.pop_back();
    }
  }
  if (!reused) GTEST_SKIP() << "the allocator did not reuse the address in " << kTries << " allocations";
  ASSERT_TRUE(reused->IsLive());
  EXPECT_EQ(tree.ById(5), nullptr);
}

TEST(IdMap, ControlAttachedAgainUnderAnotherIdLeavesItsOldIdEmpty) {
  AttachedTree tree(R"(<Grid><Label id="5"/></Grid>)");
  auto* root = AsPanel(tree.root());
  std::unique_ptr<Control> label = root->RemoveChild(tree.ById(5));
  ASSERT_TRUE(label);
  label->SetValue(attr::id, 6);
  Control* back = root->AddChild(std::move(label));
  EXPECT_EQ(tree.ById(5), nullptr);
  EXPECT_EQ(tree.ById(6), back);
}

TEST(IdMap, ReplacedEntryIsNotErasedByTheControlItWasTakenFrom) {
  AttachedTree tree(R"(<Grid><Label id="5" text="first"/><Label id="5" text="second"/></Grid>)");
  auto* root = AsPanel(tree.root());
  Control* second = tree.ById(5);
  ASSERT_EQ(second->GetText(), u"second");
  std::unique_ptr<Control> first = root->RemoveChild(root->first_child());
  EXPECT_EQ(tree.ById(5), second) << "the first label no longer owned the entry";
}

// Records, at each ControlRemoved, how many children the removed control had.
class CountingWindow : public TestWindow {
 public:
  void ControlRemoved(Control* control) override {
    child_counts.push_back(control->HasFlag(ControlFlags::Container) ? AsPanel(control)->child_count() : -1);
    TestWindow::ControlRemoved(control);
  }
  std::vector<std::int32_t> child_counts;
};

TEST(Destroy, WindowHearsOfAPanelWithItsParentChainAndChildrenStillInPlace) {
  std::unique_ptr<Control> root = testing::BuildTree(
      R"(<Grid><StackPanel id="2"><Label id="3"/><Label id="4"/></StackPanel></Grid>)");
  CountingWindow window;
  root->Attach(&window);
  Control* panel = window.GetChild(2);
  Control* first = window.GetChild(3);
  Control* second = window.GetChild(4);
  window.focused = second;
  window.captured = first;

  delete panel;

  EXPECT_EQ(window.removed_chains, (std::vector<Chain>{{panel, root.get()},
                                                       {first, panel, root.get()},
                                                       {second, panel, root.get()}}));
  EXPECT_EQ(window.child_counts, (std::vector<std::int32_t>{2, -1, -1}));
  EXPECT_EQ(window.focused, nullptr) << "found inside the panel through the parent chain";
  EXPECT_EQ(window.captured, nullptr);
  EXPECT_EQ(AsPanel(root.get())->child_count(), 0);
  root->Detach();
}

TEST(Destroy, DetachedControlIsDestroyedWithoutTellingAnyWindow) {
  AttachedTree tree(R"(<Grid><StackPanel id="2"><Label/></StackPanel></Grid>)");
  std::unique_ptr<Control> panel = AsPanel(tree.root())->RemoveChild(tree.ById(2));
  const std::size_t removed = tree.window().removed.size();
  panel.reset();
  EXPECT_EQ(tree.window().removed.size(), removed);
}

struct DestroyLog {
  std::vector<std::string> lines;
  TestWindow* window = nullptr;
  struct Entry {
    DestroyLog* log;
    std::string name;
  };
  std::vector<std::unique_ptr<Entry>> entries;
  void* Context(const std::string& name) {
    entries.push_back(std::make_unique<Entry>(Entry{this, name}));
    return entries.back().get();
  }
  static void Record(void* context, Control* control) {
    auto* e = static_cast<Entry*>(context);
    e->log->lines.push_back(e->name + " parent=" + (control->parent() ? "yes" : "no") + " text=" +
                            std::string(control->GetText().begin(), control->GetText().end()) +
                            " removed=" + std::to_string(e->log->window->removed.size()));
  }
};

TEST(DestroyHandlers, RunOnceInOrderBeforeTheWindowHearsAndWhileTheControlIsWhole) {
  AttachedTree tree(R"(<Grid><Label id="3" text="x"/></Grid>)");
  DestroyLog log;
  log.window = &tree.window();
  Control* label = tree.ById(3);
  label->AddDestroyHandler(log.Context("a"), &DestroyLog::Record);
  label->AddDestroyHandler(log.Context("b"), &DestroyLog::Record);
  void* c = log.Context("c");
  label->AddDestroyHandler(c, &DestroyLog::Record);
  EXPECT_TRUE(label->RemoveDestroyHandler(c, &DestroyLog::Record));
  EXPECT_FALSE(label->RemoveDestroyHandler(c, &DestroyLog::Record));
  const std::size_t removed = tree.window().removed.size();
  delete label;
  const std::string before = " removed=" + std::to_string(removed);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"a parent=yes text=x" + before, "b parent=yes text=x" + before}));
}

struct Peer {
  std::vector<std::string>* lines;
  std::string name;
  Peer* victim;
  bool removed = false;
};

void RemoveVictim(void* context, Control* control) {
  auto* p = static_cast<Peer*>(context);
  p->lines->push_back(p->name);
  if (p->victim) p->removed = control->RemoveDestroyHandler(p->victim, &RemoveVictim);
  control->AddDestroyHandler(p, &RemoveVictim);  // too late: refused
}

TEST(DestroyHandlers, HandlerRemovedByAnEarlierOneDuringDestructionIsNotCalled) {
  std::vector<std::string> lines;
  Peer b{&lines, "b", nullptr};
  Peer a{&lines, "a", &b};
  Peer c{&lines, "c", nullptr};
  auto label = std::make_unique<Label>();
  label->AddDestroyHandler(&a, &RemoveVictim);
  label->AddDestroyHandler(&b, &RemoveVictim);
  label->AddDestroyHandler(&c, &RemoveVictim);
  label.reset();
  EXPECT_TRUE(a.removed);
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "c"}));
}

}  // namespace
}  // namespace vcam::dui
