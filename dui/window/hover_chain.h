#pragma once
// The hovered control and its ancestors, leaf first, and what changes when
// the mouse moves to another control: the controls it leaves and enters.
#include <array>
#include <cstddef>
#include <vector>

namespace vcam::dui {

class Control;

class HoverChain {
 public:
  static constexpr std::size_t kCapacity = 32;

  HoverChain() = default;
  // `leaf` and its ancestors up to the root; the 32 nearest the leaf in a
  // deeper tree. Null gives the empty chain.
  explicit HoverChain(Control* leaf);

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  Control* operator[](std::size_t i) const { return entries_[i]; }
  Control* leaf() const { return count_ ? entries_[0] : nullptr; }
  bool Holds(const Control* c) const;
  void Clear() { count_ = 0; }

 private:
  std::array<Control*, kCapacity> entries_{};
  std::size_t count_ = 0;
};

struct HoverChange {
  std::vector<Control*> leaving;   // outermost first, the old leaf last
  std::vector<Control*> entering;  // outermost first, the new leaf last
};

// Compares the chains from the root end: the entries above their deepest
// common control are shared and neither leave nor enter. Only pointers are
// compared, so the old chain may hold controls destroyed since.
HoverChange DiffHoverChains(const HoverChain& from, const HoverChain& to);

}  // namespace vcam::dui
