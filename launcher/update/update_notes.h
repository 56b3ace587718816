#pragma once
// Update notes: UTF-8 text shown as lines in the update prompt. Carriage
// returns count as line ends and empty lines are dropped, so CR LF, LF and
// CR endings all give the same lines.
#include <string>
#include <string_view>
#include <vector>

namespace vcam::launcher {

std::vector<std::u16string> split_update_notes(std::string_view utf8);

}  // namespace vcam::launcher
