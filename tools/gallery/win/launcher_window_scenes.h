#pragma once
// The launcher's own windows made by their classes, as the user sees them:
// the splash with its status line, and the progress and alert dialogs over
// their drop shadows.
#include <string>

namespace vcam::gallery {

// Needs the runtime initialised with the product's skin and layouts set, and
// the splash picture in the resource folder beside the program. Writes
// <out_folder>\launcher_*.png; returns how many pictures failed, with their
// errors written to `errors`.
int render_launcher_windows(const std::u16string& out_folder, std::string& errors);

}  // namespace vcam::gallery
