#include "tools/outside/logger/rotating_file.h"

#include <system_error>
#include <utility>

namespace vcam::logger {

namespace {

std::FILE* open_file(const std::filesystem::path& path, bool truncate) {
#ifdef _WIN32
  return ::_wfopen(path.c_str(), truncate ? L"wb" : L"ab");
#else
  return std::fopen(path.c_str(), truncate ? "wb" : "ab");
#endif
}

}  // namespace

RotatingFile::RotatingFile(std::filesystem::path path, std::uint64_t max_size, int count)
    : path_(std::move(path)), max_size_(max_size), count_(count < 1 ? 1 : count) {}

RotatingFile::~RotatingFile() { close(); }

std::filesystem::path RotatingFile::generation(int k) const {
  if (k == 0) return path_;
  std::filesystem::path p = path_;
  p += "." + std::to_string(k);
  return p;
}

bool RotatingFile::open() {
  close();
  file_ = open_file(path_, false);
  if (!file_) return false;
  std::error_code ec;
  const auto size = std::filesystem::file_size(path_, ec);
  size_ = ec ? 0 : size;
  retry_at_ = 0;
  return true;
}

void RotatingFile::close() {
  if (file_) std::fclose(std::exchange(file_, nullptr));
}

bool RotatingFile::rotate() {
  close();
  std::error_code ec;
  bool moved = true;
  if (count_ == 1) {
    file_ = open_file(path_, true);
  } else {
    std::filesystem::remove(generation(count_ - 1), ec);
    for (int k = count_ - 2; k >= 0 && moved; --k) {
      if (!std::filesystem::exists(generation(k), ec)) continue;
      std::filesystem::rename(generation(k), generation(k + 1), ec);
      moved = !ec;
    }
    // Only a completed shift leaves no current file to continue.
    file_ = open_file(path_, moved);
  }
  if (!file_) return false;
  if (moved) {
    size_ = 0;
    retry_at_ = 0;
  } else {
    retry_at_ = size_ + (max_size_ / 16 > 4096 ? max_size_ / 16 : 4096);
  }
  return true;
}

bool RotatingFile::append(std::string_view record) {
  if (!file_) return false;
  if (max_size_ > 0 && size_ > 0 && size_ + record.size() > max_size_ && size_ >= retry_at_) {
    if (!rotate()) return false;
  }
  const std::size_t written = std::fwrite(record.data(), 1, record.size(), file_);
  std::fflush(file_);
  size_ += written;
  return written == record.size();
}

}  // namespace vcam::logger
