#pragma once
// The pump's companion-starter seam filled with RunVCAPP.
#include "camera/filter/win/run_vcapp.h"
#include "camera/pump/frame_pump.h"

namespace vcam::camera {

class RunVcappStarter final : public CompanionStarter {
 public:
  void start() override { RunVCAPP(); }
};

}  // namespace vcam::camera
