#pragma once
// Shell links (".lnk") through the shell-link object.
#include <optional>
#include <string>
#include <string_view>

namespace vcam::uninstaller {

// createShortCut: a link at `link` to `target`; initialises COM on the
// calling thread for the call (only undoing what it did). True when every
// step succeeded.
bool create_shortcut(std::u16string_view target, std::u16string_view link);

// resolveShortCut: the target path stored in the link, as stored (the
// target need not exist); nothing when the file is no shell link or holds no
// path. Needs COM on the calling thread, which both script threads have.
std::optional<std::u16string> resolve_shortcut(std::u16string_view link);

}  // namespace vcam::uninstaller
