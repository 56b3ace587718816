#pragma once
// removeDirectory, also the uninstaller's whole-folder deletion at exit:
// everything below a folder, then the folder. Failures are ignored: what
// cannot be removed stays.
//
// Sound where the scripts' input is unchecked:
// - links are removed as links: a junction, a symbolic link or any other
//   reparse point below the folder (or the folder itself) is deleted without
//   entering it, so what it points to is left untouched;
// - read-only files and folders are made writable and removed;
// - a drive or share root, a well-known shell folder (Windows, Program
//   Files, the profiles, Desktop, Documents, AppData, Start menu) or any
//   folder holding one is refused as the starting folder, and so is an
//   empty path (which would mean the current drive's root).
#include <string>
#include <string_view>

namespace vcam::uninstaller {

// Whether `path` is refused as the starting folder of a removal.
bool removal_refused(std::u16string_view path);

void remove_directory(std::u16string_view path);

}  // namespace vcam::uninstaller
