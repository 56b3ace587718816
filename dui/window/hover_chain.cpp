#include "dui/window/hover_chain.h"

#include "dui/core/control.h"
#include "dui/core/panel.h"

namespace vcam::dui {

HoverChain::HoverChain(Control* leaf) {
  for (Control* c = leaf; c && count_ < kCapacity; c = c->parent()) entries_[count_++] = c;
}

bool HoverChain::Holds(const Control* c) const {
  for (std::size_t i = 0; i < count_; ++i)
    if (entries_[i] == c) return true;
  return false;
}

HoverChange DiffHoverChains(const HoverChain& from, const HoverChain& to) {
  // Both chains are ancestor paths, so everything from their deepest common
  // control upwards is shared. Looking for that control rather than aligning
  // the two root ends keeps the answer right when a chain was cut at 32.
  std::size_t old_keep = from.size();
  std::size_t new_keep = to.size();
  for (std::size_t i = 0; i < from.size(); ++i) {
    bool found = false;
    for (std::size_t j = 0; j < to.size(); ++j) {
      if (from[i] == to[j]) {
        old_keep = i;
        new_keep = j;
        found = true;
        break;
      }
    }
    if (found) break;
  }
  HoverChange change;
  for (std::size_t i = old_keep; i-- > 0;) change.leaving.push_back(from[i]);
  for (std::size_t j = new_keep; j-- > 0;) change.entering.push_back(to[j]);
  return change;
}

}  // namespace vcam::dui
