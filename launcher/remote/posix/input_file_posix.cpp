#include "common/text_utf.h"
#include "launcher/remote/input_file.h"

namespace vcam::launcher {

unique_stdio_file open_input_file(const std::u16string& path) {
  return unique_stdio_file(std::fopen(utf16_to_utf8(path).c_str(), "rb"));
}

}  // namespace vcam::launcher
