#include <cstdio>

#include "common/win/wide.h"
#include "launcher/remote/input_file.h"

namespace vcam::launcher {

unique_stdio_file open_input_file(const std::u16string& path) {
  return unique_stdio_file(::_wfopen(wide(path), L"rb"));
}

}  // namespace vcam::launcher
