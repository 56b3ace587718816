#include "common/win/folders.h"

#include <windows.h>

#include <vector>

#include "common/path_text.h"
#include "common/win/wide.h"

namespace vcam {

std::u16string application_folder() {
  // Module paths may exceed MAX_PATH with long-path prefixes; grow until it fits.
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return folder_of(u16(buf.data(), n));
    if (buf.size() >= 32768) return {};
    buf.resize(buf.size() * 2);
  }
}

bool create_folder_path(std::u16string_view folder) {
  for (const auto& piece : folder_ancestors(folder)) {
    // Failure of an intermediate piece (already there, or no right to create
    // it though it exists) is judged by the final check alone.
    ::CreateDirectoryW(wide(piece), nullptr);
  }
  const std::u16string full = to_backslashes(folder);
  const DWORD attrs = ::GetFileAttributesW(wide(full));
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace vcam
