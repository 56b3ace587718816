#pragma once
// The dump files of a folder, by full path, in name order.
#include <string>
#include <vector>

namespace vcam::bugreport {

std::vector<std::u16string> list_dump_files(const std::u16string& folder);

}  // namespace vcam::bugreport
