// Pack files through the C library, for builds other than Windows (host tests
// and tools). Paths are UTF-16 in the program and UTF-8 on these systems.
#include <cstdio>

#include "common/text_utf.h"
#include "launcher/pack/pack_file.h"

namespace vcam::launcher {

namespace {

class std_file : public pack_file {
 public:
  explicit std_file(std::FILE* f) : file_(f) {}
  ~std_file() override { std::fclose(file_); }
  std_file(const std_file&) = delete;
  std_file& operator=(const std_file&) = delete;

  bool size(std::uint32_t& bytes) override {
    if (::fseeko(file_, 0, SEEK_END) != 0) return false;
    const off_t end = ::ftello(file_);
    if (end < 0 || static_cast<unsigned long long>(end) > UINT32_MAX) return false;
    bytes = static_cast<std::uint32_t>(end);
    return true;
  }

  bool read_at(std::uint32_t offset, void* buffer, std::uint32_t count) override {
    if (::fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
    return std::fread(buffer, 1, count, file_) == count;
  }

 private:
  std::FILE* file_;
};

}  // namespace

std::unique_ptr<pack_file> open_pack_file(const std::u16string& path) {
  std::FILE* f = std::fopen(utf16_to_utf8(path).c_str(), "rb");
  if (!f) return nullptr;
  // Buffering would copy every byte twice; reads are one block each.
  std::setvbuf(f, nullptr, _IONBF, 0);
  return std::make_unique<std_file>(f);
}

}  // namespace vcam::launcher
