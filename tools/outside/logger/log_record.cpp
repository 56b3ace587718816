#include "tools/outside/logger/log_record.h"

#include <cstdio>

namespace vcam::logger {

const char* level_word(int level) {
  if (level <= 200) return "FATAL";
  if (level <= 300) return "ERROR";
  if (level <= 400) return "WARN ";
  if (level <= 500) return "NOTE ";
  if (level <= 600) return "INFO ";
  return "DEBUG";
}

std::string format_record(const LocalTime& t, int level, std::string_view text) {
  char head[64];
  const int n = std::snprintf(head, sizeof head, "%04d-%02d-%02d %02d:%02d:%02d.%03d %s %d ", t.year, t.month,
                              t.day, t.hour, t.minute, t.second, t.millisecond, level_word(level), level);
  std::string record(head, n > 0 ? static_cast<std::size_t>(n) : 0);
  record.reserve(record.size() + text.size() + 2);
  for (const char c : text) record.push_back(c == '\r' || c == '\n' ? ' ' : c);
  record += "\r\n";
  return record;
}

}  // namespace vcam::logger
