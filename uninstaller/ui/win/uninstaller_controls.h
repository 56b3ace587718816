#pragma once
// Gives the uninstaller's own elements their classes in the running toolkit:
// "PowerPoint" (ticking on a framework timer) and "LinkLabel".
namespace vcam::dui {
class UiRuntime;
}

namespace vcam::uninstaller {

void register_uninstaller_controls(dui::UiRuntime& runtime);

}  // namespace vcam::uninstaller
