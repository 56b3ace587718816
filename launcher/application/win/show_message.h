#pragma once
// Every launcher message box: no owner, the caption "程序版本" followed by the
// current version, topmost, a single OK button.
#include <string>
#include <string_view>

namespace vcam::launcher {

std::u16string version_caption();
void ShowMessage(std::u16string_view text);

}  // namespace vcam::launcher
