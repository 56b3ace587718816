#include "dui/runtime/precise_clock.h"

#include <chrono>

namespace vcam::dui {

std::int64_t SteadyClock::Ticks() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace vcam::dui
