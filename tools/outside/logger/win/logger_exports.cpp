// The logger module's exports: one process-wide log behind four C functions.
#include <windows.h>

#include <string>

#include "tools/outside/logger/logger.h"
#include "tools/outside/logger/rotating_log.h"

namespace {

const vcam::logger::SystemLogClock clock_source;
vcam::logger::RotatingLog the_log(clock_source);

std::wstring from_cp936(const char* text) {
  const int n = ::MultiByteToWideChar(936, 0, text, -1, nullptr, 0);
  if (n <= 1) return {};
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(936, 0, text, -1, out.data(), n);
  out.resize(static_cast<std::size_t>(n - 1));
  return out;
}

}  // namespace

extern "C" {

int logger_start(int level) {
  the_log.start(level);
  return 1;
}

int logger_add_file(const char* path, unsigned size, int count) {
  if (!path) return 0;
  const std::wstring wide = from_cp936(path);
  if (wide.empty()) return 0;
  return the_log.add_file(std::filesystem::path(wide), size, count) ? 1 : 0;
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
