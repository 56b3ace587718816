#include "dui/controls/text/auto_scroll_clock.h"

#include <chrono>

namespace vcam::dui {

namespace {

std::uint32_t SteadyMilliseconds() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace

AutoScrollClock& AutoScrollClock::Shared() {
  static AutoScrollClock clock;
  return clock;
}

bool AutoScrollClock::Step() {
  const std::uint32_t now = source_ ? source_() : SteadyMilliseconds();
  // Unsigned difference: correct across the 49-day wrap.
  if (stepped_ && now - last_ < kIntervalMs) return false;
  stepped_ = true;
  last_ = now;
  return true;
}

void AutoScrollClock::SetTickSource(TickSource source) {
  source_ = source;
  stepped_ = false;
}

}  // namespace vcam::dui
