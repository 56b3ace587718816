// The logger module's exports: one process-wide log behind four C functions.
#include <string>

#include "common/win/text_cp936.h"
#include "common/win/wide.h"
#include "tools/outside/logger/logger.h"
#include "tools/outside/logger/rotating_log.h"

namespace {

const vcam::logger::SystemLogClock clock_source;
vcam::logger::RotatingLog the_log(clock_source);

}  // namespace

extern "C" {

int logger_start(int level) {
  the_log.start(level);
  return 1;
}

int logger_add_file(const char* path, unsigned size, int count) {
  if (!path) return 0;
  const std::u16string name = vcam::cp936_to_utf16(path);
  if (name.empty()) return 0;
  return the_log.add_file(std::filesystem::path(vcam::wide(name)), size, count) ? 1 : 0;
}

int logger_write_string(int level, const char* text) {
  if (!text) return 0;
  the_log.write(level, text);
  return 1;
}

int logger_close(void) {
  the_log.close();
  return 1;
}

}  // extern "C"
