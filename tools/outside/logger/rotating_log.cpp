#include "tools/outside/logger/rotating_log.h"

#include <climits>

namespace vcam::logger {

RotatingLog::RotatingLog(const LogClock& clock) : clock_(clock), threshold_(INT_MAX) {}

void RotatingLog::start(int threshold) {
  std::lock_guard<std::mutex> hold(lock_);
  threshold_ = threshold;
}

bool RotatingLog::add_file(const std::filesystem::path& path, std::uint64_t max_size, int count) {
  auto file = std::make_unique<RotatingFile>(path, max_size, count);
  if (!file->open()) return false;
  std::lock_guard<std::mutex> hold(lock_);
  files_.push_back(std::move(file));
  return true;
}

void RotatingLog::write(int level, std::string_view text) {
  std::lock_guard<std::mutex> hold(lock_);
  if (level > threshold_ || files_.empty()) return;
  // The stamp is taken under the lock so that the file's order is time order.
  const std::string record = format_record(clock_.now(), level, text);
  for (auto& file : files_) file->append(record);
}

void RotatingLog::close() {
  std::lock_guard<std::mutex> hold(lock_);
  files_.clear();
}

}  // namespace vcam::logger
