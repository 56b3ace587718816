#pragma once
// One record of the log file: local time stamp, level word and number, text.
#include <string>
#include <string_view>

namespace vcam::logger {

struct LocalTime {
  int year = 1970;
  int month = 1;  // 1 to 12
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// Levels follow the syslog order scaled by 100: the smaller, the graver
// (300 failure, 600 information).
const char* level_word(int level);

// "2024-05-01 12:34:56.789 INFO  600 text\r\n". Line breaks inside the text
// become spaces so that every record stays one line.
std::string format_record(const LocalTime& time, int level, std::string_view text);

}  // namespace vcam::logger
