#pragma once
// The pace of selection auto-scroll: one step at most every 50 ms, one clock
// for every text box of the process, so two fields dragged in turn do not
// scroll faster together.
#include <cstdint>

namespace vcam::dui {

class AutoScrollClock {
 public:
  static constexpr std::uint32_t kIntervalMs = 50;
  // Milliseconds from an arbitrary origin, wrapping like GetTickCount.
  using TickSource = std::uint32_t (*)();

  static AutoScrollClock& Shared();

  // True when a step may be taken now (and starts the next interval).
  bool Step();
  // Tests move time themselves; null restores the steady clock.
  void SetTickSource(TickSource source);

 private:
  TickSource source_ = nullptr;
  bool stepped_ = false;
  std::uint32_t last_ = 0;
};

}  // namespace vcam::dui
