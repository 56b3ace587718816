#include "uninstaller/script/win/directory_removal.h"

#include <windows.h>
#include <shlobj.h>

#include <utility>
#include <vector>

#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "uninstaller/script/script_paths.h"
#include "uninstaller/script/win/process_functions.h"
#include "uninstaller/script/win/shell_folders.h"

namespace vcam::uninstaller {

namespace {

struct FindTraits {
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { ::FindClose(h); }
};
using UniqueFind = UniqueResource<HANDLE, FindTraits>;

constexpr int kShellFolders[] = {
    CSIDL_WINDOWS,         CSIDL_SYSTEM,           CSIDL_SYSTEMX86,          CSIDL_PROGRAM_FILES,
    CSIDL_PROGRAM_FILESX86, CSIDL_PROGRAM_FILES_COMMON, CSIDL_PROGRAM_FILES_COMMONX86, CSIDL_PROFILE,
    CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_PERSONAL,    CSIDL_COMMON_DOCUMENTS,
    CSIDL_APPDATA,         CSIDL_LOCAL_APPDATA,    CSIDL_COMMON_APPDATA,     CSIDL_STARTMENU,
    CSIDL_COMMON_STARTMENU, CSIDL_PROGRAMS,        CSIDL_COMMON_PROGRAMS,
};

// The absolute, long form of a path ("..", "." and 8.3 names resolved, so
// that no spelling slips past the refusals); empty on failure.
std::u16string full_long_path(std::u16string_view path) {
  const std::u16string given(path);
  std::vector<wchar_t> full(MAX_PATH);
  DWORD n = ::GetFullPathNameW(wide(given), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (n >= full.size()) {
    full.resize(n + 1);
    n = ::GetFullPathNameW(wide(given), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  if (n == 0 || n >= full.size()) return {};
  // Wine's GetLongPathNameW overruns a stack buffer on paths of some
  // thousands of characters; paths that long cannot be used without the
  // "\\?\" prefix anyway, where short names do not apply.
  if (n >= MAX_PATH) return std::u16string(u16(full.data(), n));
  std::vector<wchar_t> long_form(n + MAX_PATH);
  const DWORD m = ::GetLongPathNameW(full.data(), long_form.data(), static_cast<DWORD>(long_form.size()));
  if (m > 0 && m < long_form.size()) return std::u16string(u16(long_form.data(), m));
  return std::u16string(u16(full.data(), n));  // a path that does not exist keeps its spelling
}

// `key` names `folder` or a folder that holds it.
bool holds(std::u16string_view key, std::u16string_view folder) {
  if (folder.size() < key.size()) return false;
  if (!same_path(folder.substr(0, key.size()), key)) return false;
  return folder.size() == key.size() || folder[key.size()] == u'\\';
}

void remove_folder(const std::u16string& folder, DWORD attributes) {
  if (::RemoveDirectoryW(wide(folder))) return;
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    ::SetFileAttributesW(wide(folder), attributes & ~FILE_ATTRIBUTE_READONLY);
    ::RemoveDirectoryW(wide(folder));
  }
}

void remove_one_file(const std::u16string& file, DWORD attributes) {
  // DeleteFileW refuses read-only files; clear the flag first rather than
  // fail once per file.
  if (attributes & FILE_ATTRIBUTE_READONLY)
    ::SetFileAttributesW(wide(file), attributes & ~FILE_ATTRIBUTE_READONLY);
  ::DeleteFileW(wide(file));
}

bool is_link(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

}  // namespace

bool removal_refused(std::u16string_view path) {
  if (path.empty()) return true;
  const std::u16string full = full_long_path(path);
  if (full.empty()) return true;
  const std::u16string key = folder_key(full);
  if (is_volume_root_key(key)) return true;
  wchar_t buffer[MAX_PATH];
  for (const int csidl : kShellFolders) {
    if (!::SHGetSpecialFolderPathW(nullptr, buffer, csidl, FALSE)) continue;
    const std::u16string shell_folder = folder_key(full_long_path(u16(buffer)));
    if (!shell_folder.empty() && holds(key, shell_folder)) return true;
  }
  // No shell folder either, but emptying it takes every program's temporary
  // files along (a copy of the uninstaller run from there removes its folder).
  if (const std::optional<std::u16string> temp = temp_folder()) {
    const std::u16string temp_key = folder_key(full_long_path(*temp));
    if (!temp_key.empty() && holds(key, temp_key)) return true;
  }
  return false;
}

void remove_directory(std::u16string_view path) {
  if (removal_refused(path)) return;
  std::u16string root(path);
  while (root.size() > 1 && (root.back() == u'\\' || root.back() == u'/')) root.pop_back();
  const DWORD root_attributes = ::GetFileAttributesW(wide(root));
  if (root_attributes == INVALID_FILE_ATTRIBUTES) return;
  if (is_link(root_attributes)) {
    remove_folder(root, root_attributes);
    return;
  }

  // Depth first without recursion, so that a deep tree cannot exhaust the
  // stack: a folder is entered once to delete its files and queue its
  // subfolders, and removed when it comes up again after them.
  struct Pending {
    std::u16string folder;
    DWORD attributes;
    bool emptied;
  };
  std::vector<Pending> pending{{std::move(root), root_attributes, false}};
  while (!pending.empty()) {
    Pending top = std::move(pending.back());
    pending.pop_back();
    if (top.emptied) {
      remove_folder(top.folder, top.attributes);
      continue;
    }
    pending.push_back({top.folder, top.attributes, true});
    WIN32_FIND_DATAW data;
    UniqueFind find(::FindFirstFileExW(wide(top.folder + u"\\*"), FindExInfoBasic, &data, FindExSearchNameMatch,
                                       nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) continue;
    do {
      const std::u16string_view name = u16(data.cFileName);
      if (name == u"." || name == u"..") continue;
      std::u16string child = top.folder + u"\\" + std::u16string(name);
      const DWORD attributes = data.dwFileAttributes;
      if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        remove_one_file(child, attributes);  // a file link goes as a file, its target stays
      } else if (is_link(attributes)) {
        remove_folder(child, attributes);  // a junction or folder link: only the link goes
      } else {
        pending.push_back({std::move(child), attributes, false});
      }
    } while (::FindNextFileW(find.get(), &data));
  }
}

}  // namespace vcam::uninstaller
