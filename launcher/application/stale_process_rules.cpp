#include "launcher/application/stale_process_rules.h"

namespace vcam::launcher {

std::u16string ascii_lower(std::u16string_view text) {
  std::u16string lower(text);
  for (char16_t& c : lower)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return lower;
}

bool equal_ignoring_ascii_case(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && ascii_lower(a) == ascii_lower(b);
}

bool folder_program_is_swept(std::u16string_view exe_path) {
  const std::u16string lower = ascii_lower(exe_path);
  return lower.find(u"zelovcamon.exe") == std::u16string::npos &&
         lower.find(u"vcam_launcher.exe") == std::u16string::npos;
}

bool is_swept_everywhere(std::u16string_view file_name) {
  return equal_ignoring_ascii_case(file_name, u"zelovcamon.exe");
}

}  // namespace vcam::launcher
