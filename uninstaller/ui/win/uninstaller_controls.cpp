#include "uninstaller/ui/win/uninstaller_controls.h"

#include <memory>

#include "dui/runtime/ui_runtime.h"
#include "uninstaller/ui/power_point.h"
#include "uninstaller/ui/win/link_label.h"
#include "uninstaller/ui/win/power_point_timer.h"

namespace vcam::uninstaller {

void register_uninstaller_controls(dui::UiRuntime& runtime) {
  runtime.RegisterControlCreator(u"PowerPoint", std::make_unique<PowerPointCreator>(&make_power_point_timer));
  runtime.RegisterControlCreator(u"LinkLabel", std::make_unique<LinkLabelCreator>());
}

}  // namespace vcam::uninstaller
