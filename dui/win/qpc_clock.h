#pragma once
// The performance counter as the toolkit's precise clock.
#include "dui/runtime/precise_clock.h"

namespace vcam::dui {

class QpcClock : public PreciseClock {
 public:
  QpcClock();
  std::int64_t Ticks() override;
  std::int64_t TicksPerSecond() override { return frequency_; }

 private:
  bool counter_;
  std::int64_t frequency_;
};

}  // namespace vcam::dui
