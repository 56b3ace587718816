#include "launcher/crash/dump_file_name.h"

#include <cstdio>

namespace vcam::launcher {

std::u16string dump_file_name(std::u16string_view dump_folder, const local_time& t) {
  char stamp[64];
  // Fields wider than their digits (never from a real clock) widen the name
  // rather than wrap into another time.
  const int n = std::snprintf(stamp, sizeof stamp, "%04u%02u%02u%02u%02u%02u%03u.dmp", t.year, t.month, t.day,
                              t.hour, t.minute, t.second, t.milliseconds);
  std::u16string name(dump_folder);
  name.push_back(u'\\');
  for (int i = 0; i < n && i < static_cast<int>(sizeof stamp); ++i) name.push_back(static_cast<char16_t>(stamp[i]));
  return name;
}

}  // namespace vcam::launcher
