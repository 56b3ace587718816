#include "camera/pump/win/system_pump_clock.h"

#include <windows.h>

#include <mmsystem.h>

namespace vcam::camera {

std::uint32_t SystemPumpClock::tick_ms() { return ::timeGetTime(); }

void SystemPumpClock::sleep_ms(std::uint32_t ms) { ::Sleep(ms); }

}  // namespace vcam::camera
