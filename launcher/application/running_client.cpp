#include "launcher/application/running_client.h"

namespace vcam::launcher {

std::u16string client_window_title(std::u16string_view version) {
  return std::u16string(u"ZeloOlvana - ").append(version);
}

std::size_t command_line_copy_bytes(std::u16string_view command_line) {
  return command_line.empty() ? 0 : (command_line.size() + 1) * sizeof(char16_t);
}

}  // namespace vcam::launcher
