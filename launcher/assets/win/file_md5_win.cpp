// The digest through a read-only mapping. Writers are shut out for the whole
// read (share mode read only), and the mapping is made for the size taken
// once, so every view lies inside it: a file another program holds open for
// writing cannot be opened, and one whose size differs from that taken at the
// start cannot be mapped or is refused after the read.
#include <windows.h>

#include <algorithm>

#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "launcher/assets/file_md5.h"
#include "launcher/assets/md5_digest.h"

namespace vcam::launcher {

namespace {

bool file_size(HANDLE file, std::uint64_t& size) {
  LARGE_INTEGER s;
  if (!::GetFileSizeEx(file, &s) || s.QuadPart < 0) return false;
  size = static_cast<std::uint64_t>(s.QuadPart);
  return true;
}

}  // namespace

std::u16string file_md5(const std::u16string& path) {
  UniqueFile file(::CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  std::uint64_t size = 0;
  if (!file_size(file.get(), size) || size == 0) return {};
  UniqueHandle mapping(::CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, static_cast<DWORD>(size >> 32),
                                            static_cast<DWORD>(size), nullptr));
  if (!mapping) return {};

  SYSTEM_INFO system;
  ::GetSystemInfo(&system);
  const std::uint64_t view_size = md5_view_size(system.dwAllocationGranularity);
  md5_digest digest;
  if (!digest.valid()) return {};
  for (std::uint64_t offset = 0; offset < size; offset += view_size) {
    const std::size_t length = static_cast<std::size_t>(std::min(view_size, size - offset));
    UniqueView view(::MapViewOfFile(mapping.get(), FILE_MAP_READ, static_cast<DWORD>(offset >> 32),
                                    static_cast<DWORD>(offset), length));
    if (!view) return {};
    digest.update(view.get(), length);
  }
  std::uint64_t size_after = 0;
  if (!file_size(file.get(), size_after) || size_after != size) return {};
  return digest.finish_hex();
}

}  // namespace vcam::launcher
