#include "tools/outside/bugreport/win/dump_folder.h"

#include <windows.h>

#include <algorithm>

#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "tools/outside/bugreport/upload_form.h"

namespace vcam::bugreport {
namespace {

struct FindTraits {
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { ::FindClose(h); }
};

}  // namespace

std::vector<std::u16string> list_dump_files(const std::u16string& folder) {
  std::vector<std::u16string> files;
  WIN32_FIND_DATAW found{};
  UniqueResource<HANDLE, FindTraits> search(::FindFirstFileW(wide(folder + u"\\*.dmp"), &found));
  if (!search) return files;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::u16string name(u16(found.cFileName));
    if (is_dump_file_name(name)) files.push_back(folder + u"\\" + name);
  } while (::FindNextFileW(search.get(), &found));
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace vcam::bugreport
