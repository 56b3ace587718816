#include "launcher/update/update_notes.h"

#include "common/text_utf.h"

namespace vcam::launcher {

std::vector<std::u16string> split_update_notes(std::string_view utf8) {
  const std::u16string text = utf8_to_utf16(utf8);
  std::vector<std::u16string> lines;
  std::size_t begin = 0;
  while (begin <= text.size()) {
    std::size_t end = text.find_first_of(u"\r\n", begin);
    if (end == std::u16string::npos) end = text.size();
    if (end > begin) lines.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  return lines;
}

}  // namespace vcam::launcher
