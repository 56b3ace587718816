#pragma once
// The start-up sweep: programs of the uninstaller's own folder that still
// run are ended, and so is the camera monitor wherever it runs from, so that
// their files can be deleted. Failures (snapshot, open, module path) are
// skipped: the sweep never stops the uninstaller.
#include <string>

namespace vcam::uninstaller {

// `folder` ends in "\"; `own_path` is the running program, which is never
// ended, whatever its name.
void sweep_program_folder(const std::u16string& folder, const std::u16string& own_path);

}  // namespace vcam::uninstaller
