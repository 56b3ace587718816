#pragma once
// The three kinds of log line the launcher composes (the logger module only
// stamps and stores them):
//   location line  "zelopack_reader - _zelopack_reader::initialize, 36"
//                  for a failure without a message of its own (level 300);
//   value line     "_zelopack_reader dump start,\"C:\\a\\style_pro.zeloz\""
//                  fixed words bare, texts in double quotes as UTF-8 cut at
//                  2,040 bytes, numbers in decimal, joined by "," (level 600);
//   plain line     a fixed text such as "vcam_client started".
#include <cstdint>
#include <string>
#include <string_view>

namespace vcam::launcher {

inline constexpr int log_level_info = 600;
inline constexpr int log_level_failure = 300;
// Longest UTF-8 form of one text field; longer texts are cut between sequences.
inline constexpr std::size_t log_text_limit = 2040;

std::string location_line(std::string_view source, std::string_view function, long long number);

class value_line {
 public:
  value_line() = default;
  // Starts with a fixed word, the usual first field.
  explicit value_line(std::string_view word) { this->word(word); }

  value_line& word(std::string_view fixed);
  value_line& text(std::u16string_view wide);
  value_line& text_utf8(std::string_view utf8);
  value_line& number(long long value);
  value_line& number(unsigned long long value);
  value_line& number(int value) { return number(static_cast<long long>(value)); }
  value_line& number(long value) { return number(static_cast<long long>(value)); }
  value_line& number(unsigned value) { return number(static_cast<unsigned long long>(value)); }
  value_line& number(unsigned long value) { return number(static_cast<unsigned long long>(value)); }

  const std::string& str() const { return line_; }

 private:
  void separate();

  std::string line_;
  bool empty_ = true;
};

}  // namespace vcam::launcher
