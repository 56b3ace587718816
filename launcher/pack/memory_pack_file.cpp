#include <cstring>

#include "launcher/pack/pack_file.h"

namespace vcam::launcher {

namespace {

class memory_file : public pack_file {
 public:
  explicit memory_file(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

  bool size(std::uint32_t& bytes) override {
    if (bytes_.size() > UINT32_MAX) return false;
    bytes = static_cast<std::uint32_t>(bytes_.size());
    return true;
  }

  bool read_at(std::uint32_t offset, void* buffer, std::uint32_t count) override {
    if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
    if (count) std::memcpy(buffer, bytes_.data() + offset, count);
    return true;
  }

 private:
  std::vector<unsigned char> bytes_;
};

}  // namespace

std::unique_ptr<pack_file> memory_pack_file(std::vector<unsigned char> bytes) {
  return std::make_unique<memory_file>(std::move(bytes));
}

}  // namespace vcam::launcher
