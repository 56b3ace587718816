#pragma once
// A log file that rotates by size: when a record would take the file past the
// limit, "name" becomes "name.1", "name.1" becomes "name.2" and so on, and the
// oldest beyond the kept count is removed, so at most `count` files exist.
// Not thread-safe; RotatingLog serialises the calls.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace vcam::logger {

class RotatingFile {
 public:
  // count below 1 counts as 1 (the file is started afresh at the limit).
  RotatingFile(std::filesystem::path path, std::uint64_t max_size, int count);
  ~RotatingFile();
  RotatingFile(const RotatingFile&) = delete;
  RotatingFile& operator=(const RotatingFile&) = delete;

  // Opens the file for appending (an existing file is continued).
  bool open();
  // Writes one whole record and flushes it, so a crash loses nothing written.
  bool append(std::string_view record);
  void close();

  const std::filesystem::path& path() const { return path_; }
  // "name.k" for k >= 1, "name" for 0.
  std::filesystem::path generation(int k) const;

 private:
  bool rotate();

  std::filesystem::path path_;
  std::uint64_t max_size_;
  int count_;
  std::FILE* file_ = nullptr;
  std::uint64_t size_ = 0;
  // When a rotation fails (another program holds an old file open), writing
  // goes on in the current file and the next try waits for this size.
  std::uint64_t retry_at_ = 0;
};

}  // namespace vcam::logger
