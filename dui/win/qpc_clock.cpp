#include "dui/win/qpc_clock.h"

#include <windows.h>

namespace vcam::dui {

QpcClock::QpcClock() {
  LARGE_INTEGER f{};
  // Never fails on XP and later; without it the tick count in milliseconds
  // stands in, so that the frequency is always positive and matches the ticks.
  counter_ = ::QueryPerformanceFrequency(&f) && f.QuadPart > 0;
  frequency_ = counter_ ? f.QuadPart : 1000;
}

std::int64_t QpcClock::Ticks() {
  LARGE_INTEGER now{};
  if (counter_ && ::QueryPerformanceCounter(&now)) return now.QuadPart;
  return static_cast<std::int64_t>(::GetTickCount64());
}

}  // namespace vcam::dui
