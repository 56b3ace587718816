#pragma once
// The pump's clock on Windows: the multimedia tick and Sleep.
#include "camera/pump/frame_pump.h"

namespace vcam::camera {

class SystemPumpClock : public PumpClock {
 public:
  std::uint32_t tick_ms() override;
  void sleep_ms(std::uint32_t ms) override;
};

}  // namespace vcam::camera
