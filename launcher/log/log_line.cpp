#include "launcher/log/log_line.h"

#include "common/text_utf.h"

namespace vcam::launcher {

std::string location_line(std::string_view source, std::string_view function, long long number) {
  std::string line;
  line.reserve(source.size() + function.size() + 24);
  line.append(source).append(" - ").append(function).append(", ").append(std::to_string(number));
  return line;
}

void value_line::separate() {
  if (!empty_) line_.push_back(',');
  empty_ = false;
}

value_line& value_line::word(std::string_view fixed) {
  separate();
  line_.append(fixed);
  return *this;
}

value_line& value_line::text(std::u16string_view wide) { return text_utf8(utf16_to_utf8(wide)); }

value_line& value_line::text_utf8(std::string_view utf8) {
  separate();
  line_.push_back('"');
  line_.append(utf8.substr(0, utf8_cut(utf8, log_text_limit)));
  line_.push_back('"');
  return *this;
}

value_line& value_line::number(long long value) {
  separate();
  line_.append(std::to_string(value));
  return *this;
}

value_line& value_line::number(unsigned long long value) {
  separate();
  line_.append(std::to_string(value));
  return *this;
}

}  // namespace vcam::launcher
