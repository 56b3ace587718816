#pragma once
// The logger module's state: a level threshold and the files every accepted
// line goes to. Every operation may be called from any thread at any time;
// one lock makes each line a whole record in every file, in one order.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

#include "tools/outside/logger/log_clock.h"
#include "tools/outside/logger/rotating_file.h"

namespace vcam::logger {

class RotatingLog {
 public:
  explicit RotatingLog(const LogClock& clock);

  // Lines whose level is above `threshold` are dropped (600 keeps failures
  // and information). Before start every level is kept.
  void start(int threshold);
  // Adds a file that receives every later line; false when it cannot be opened.
  bool add_file(const std::filesystem::path& path, std::uint64_t max_size, int count);
  void write(int level, std::string_view text);
  // Closes every file; later lines are dropped until a file is added again.
  void close();

 private:
  const LogClock& clock_;
  std::mutex lock_;
  int threshold_;
  std::vector<std::unique_ptr<RotatingFile>> files_;
};

}  // namespace vcam::logger
