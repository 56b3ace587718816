#include "launcher/application/startup_block_fill.h"

#include <algorithm>

namespace vcam::launcher {

bool bounded_copy(char16_t* field, std::size_t units, std::u16string_view text) {
  if (units == 0) return false;
  // A NUL inside the text ends it, as it would for a C string.
  const std::u16string_view whole = text.substr(0, text.find(u'\0'));
  if (whole.size() >= units) {
    field[0] = u'\0';
    return false;
  }
  std::copy(whole.begin(), whole.end(), field);
  field[whole.size()] = u'\0';
  return true;
}

void fill_launcher_fields(ClientStartupBlock& block, std::u16string_view current_version,
                          std::u16string_view latest_version, std::u16string_view command_line) {
  bounded_copy(block.current_version, std::size(block.current_version), current_version);
  bounded_copy(block.latest_version, std::size(block.latest_version), latest_version);
  if (!command_line.empty()) bounded_copy(block.command_line, std::size(block.command_line), command_line);
}

}  // namespace vcam::launcher
