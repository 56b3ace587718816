#pragma once
// The PowerPoint's ticks on Windows: a framework timer of the UI thread.
#include <memory>

#include "uninstaller/ui/power_point.h"

namespace vcam::uninstaller {

std::unique_ptr<PowerPoint::Ticker> make_power_point_timer(PowerPoint& show);

}  // namespace vcam::uninstaller
