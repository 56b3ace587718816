#include "tools/outside/patch/command_line_record.h"

#include "common/text_utf.h"

namespace vcam::outside {

std::u16string_view arguments_after_program(std::u16string_view command_line) {
  std::size_t i = 0;
  if (!command_line.empty() && command_line.front() == u'"') {
    const std::size_t close = command_line.find(u'"', 1);
    i = close == std::u16string_view::npos ? command_line.size() : close + 1;
  } else {
    while (i < command_line.size() && command_line[i] != u' ' && command_line[i] != u'\t') ++i;
  }
  while (i < command_line.size() && (command_line[i] == u' ' || command_line[i] == u'\t')) ++i;
  return command_line.substr(i);
}

std::string command_line_record(std::u16string_view command_line) {
  return utf16_to_utf8(command_line) + "\n" + utf16_to_utf8(arguments_after_program(command_line)) + "\n";
}

}  // namespace vcam::outside
