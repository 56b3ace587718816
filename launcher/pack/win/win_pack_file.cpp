// Pack files through the Windows file API: opened once, shared for reading
// only (so the pack cannot be replaced while it is in use), read with one
// SetFilePointer and one ReadFile per request.
#include <windows.h>

#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "launcher/pack/pack_file.h"

namespace vcam::launcher {

namespace {

class win_file : public pack_file {
 public:
  explicit win_file(UniqueFile file) : file_(std::move(file)) {}

  bool size(std::uint32_t& bytes) override {
    DWORD high = 0;
    const DWORD low = ::GetFileSize(file_.get(), &high);
    if (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) return false;
    if (high != 0) return false;
    bytes = low;
    return true;
  }

  bool read_at(std::uint32_t offset, void* buffer, std::uint32_t count) override {
    LARGE_INTEGER to;
    to.QuadPart = offset;
    if (!::SetFilePointerEx(file_.get(), to, nullptr, FILE_BEGIN)) return false;
    DWORD got = 0;
    return ::ReadFile(file_.get(), buffer, count, &got, nullptr) && got == count;
  }

 private:
  UniqueFile file_;
};

}  // namespace

std::unique_ptr<pack_file> open_pack_file(const std::u16string& path) {
  UniqueFile file(::CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return nullptr;
  return std::make_unique<win_file>(std::move(file));
}

}  // namespace vcam::launcher
