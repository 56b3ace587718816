#pragma once
// A high-resolution monotonic counter for short busy waits (the tab slide).
// Windows answers with QueryPerformanceCounter; tests inject their own.
#include <cstdint>

namespace vcam::dui {

class PreciseClock {
 public:
  virtual ~PreciseClock() = default;
  virtual std::int64_t Ticks() = 0;
  // Positive.
  virtual std::int64_t TicksPerSecond() = 0;
};

// std::chrono::steady_clock in nanoseconds: the clock of platforms that give none.
class SteadyClock : public PreciseClock {
 public:
  std::int64_t Ticks() override;
  std::int64_t TicksPerSecond() override { return 1000000000; }
};

}  // namespace vcam::dui
