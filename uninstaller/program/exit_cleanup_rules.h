#pragma once
// The uninstaller's decisions at start-up and exit that need no Windows call:
// its program folder, which executables the start-up sweep leaves alone,
// whether the folder it runs from may be deleted as a whole, and the text of
// the self-deletion batch.
#include <string>
#include <string_view>

namespace vcam::uninstaller {

// The directory of `module_path` with "/" turned into "\", ending in "\";
// empty when the path has no folder part.
std::u16string program_folder_of(std::u16string_view module_path);

// Whether the sweep of the program folder leaves `exe_path` running: the
// camera monitor and the uninstaller by their file names (a case-sensitive
// test on the whole path, as they are installed), and the running program
// under whatever name it was given (`own_path`, compared without regard to
// ASCII case), since the sweep must never end its own process.
bool sweep_spares(std::u16string_view exe_path, std::u16string_view own_path);

// Whether the program folder is the registered installation: "InstallPath"
// names the same folder, compared as the procedure compares it (ASCII case
// folded), with "/" read as "\" and trailing "\" ignored on both sides. An
// empty or missing value, or a drive root, never matches. A copy run from
// anywhere else must not take the folder around it (a download folder, the
// desktop) with it.
bool is_registered_installation(std::u16string_view program_folder, std::u16string_view install_path);

// The batch that deletes the executable until it is gone, pauses, removes the
// folder if it is empty by then and deletes itself. An empty `folder` leaves
// the folder line out (a folder that must never go, even empty: a drive
// root, the desktop). Empty when the text would
// not fit the 1000-character buffer it is made in: a cut batch could run a
// half-written command, so none is written then.
std::u16string self_delete_batch(std::u16string_view exe_path, std::u16string_view folder,
                                 std::u16string_view batch_path);

}  // namespace vcam::uninstaller
