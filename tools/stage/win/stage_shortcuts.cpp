// stage_shortcuts: the shortcuts an installation of the product has, made or
// removed for a staged installation folder (tools/stage.sh):
//   stage_shortcuts.exe create FOLDER   make them, pointing into FOLDER
//   stage_shortcuts.exe remove FOLDER   delete those that point into FOLDER
//   stage_shortcuts.exe list            each existing one and its target
// FOLDER ends with a backslash. Lines go to standard output in UTF-8, as
// "link PATH -> TARGET". Exit code 0, 1 when a step failed, 2 for a bad
// command line.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "common/text_utf.h"
#include "common/win/wide.h"
#include "uninstaller/script/win/shell_folders.h"
#include "uninstaller/script/win/shortcuts.h"

namespace {

using namespace vcam;

struct Shortcut {
  std::u16string link;
  std::u16string target;  // relative to the installation folder
};

// Where the product's installer puts them: its start-menu group for all
// users with the launcher and the uninstaller, and the launcher on the
// common desktop.
bool product_shortcuts(std::vector<Shortcut>& out, std::u16string& group) {
  const std::optional<std::u16string> programs = uninstaller::shell_folder(CSIDL_COMMON_PROGRAMS);
  const std::optional<std::u16string> desktop = uninstaller::shell_folder(CSIDL_COMMON_DESKTOPDIRECTORY);
  if (!programs || !desktop) return false;
  group = *programs + u"\\ZeloOlvana";
  out = {{group + u"\\ZeloOlvana.lnk", u"vcam_launcher.exe"},
         {group + u"\\卸载 ZeloOlvana.lnk", u"vcam_uninstall.exe"},
         {*desktop + u"\\ZeloOlvana.lnk", u"vcam_launcher.exe"}};
  return true;
}

void print_link(const std::u16string& link, const std::u16string& target) {
  std::printf("link %s -> %s\n", utf16_to_utf8(link).c_str(), utf16_to_utf8(target).c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::u16string command = argc > 1 ? std::u16string(u16(argv[1])) : u"";
  const bool with_folder = command == u"create" || command == u"remove";
  std::u16string folder = argc > 2 ? std::u16string(u16(argv[2])) : u"";
  if (!(with_folder && argc == 3 && !folder.empty()) && !(command == u"list" && argc == 2)) {
    std::fprintf(stderr, "usage: stage_shortcuts create FOLDER | remove FOLDER | list\n");
    return 2;
  }
  if (with_folder && folder.back() != u'\\') folder += u'\\';
  std::vector<Shortcut> shortcuts;
  std::u16string group;
  if (!product_shortcuts(shortcuts, group)) {
    std::fprintf(stderr, "stage_shortcuts: the common start menu or desktop folder is unknown\n");
    return 1;
  }
  // resolve_shortcut needs COM on this thread; create_shortcut brings its own.
  const HRESULT com = ::CoInitialize(nullptr);
  int code = 0;
  if (command == u"create") {
    ::CreateDirectoryW(wide(group), nullptr);
    for (const Shortcut& s : shortcuts) {
      if (!uninstaller::create_shortcut(folder + s.target, s.link)) {
        std::fprintf(stderr, "stage_shortcuts: cannot write %s\n", utf16_to_utf8(s.link).c_str());
        code = 1;
      } else {
        print_link(s.link, folder + s.target);
      }
    }
  } else {
    for (const Shortcut& s : shortcuts) {
      const std::optional<std::u16string> target = uninstaller::resolve_shortcut(s.link);
      if (!target) continue;
      if (command == u"list") {
        print_link(s.link, *target);
      } else if (*target == folder + s.target && !::DeleteFileW(wide(s.link))) {
        code = 1;
      }
    }
    // Only when nothing else is left in the group.
    if (command == u"remove") ::RemoveDirectoryW(wide(group));
  }
  if (SUCCEEDED(com)) ::CoUninitialize();
  return code;
}
