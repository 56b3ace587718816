#include "dui/testing/test_window.h"

#include <utility>

#include "dui/core/panel.h"

namespace vcam::dui::testing {

namespace {

bool Within(const Control* c, const Control* subtree) {
  for (; c; c = c->parent())
    if (c == subtree) return true;
  return false;
}

}  // namespace

void TestWindow::ControlRemoved(Control* control) {
  removed.push_back(control);
  std::vector<const Control*> chain;
  for (const Control* c = control; c; c = c->parent()) chain.push_back(c);
  removed_chains.push_back(std::move(chain));
  if (Within(focused, control)) focused = nullptr;
  if (Within(captured, control)) captured = nullptr;
}

void TestWindow::Invalidate(Control* control, bool) { invalidated.push_back(control); }

}  // namespace vcam::dui::testing
