#include "uninstaller/program/exit_cleanup_rules.h"

#include <cstddef>

#include "uninstaller/script/script_paths.h"

namespace vcam::uninstaller {

namespace {

constexpr std::size_t kBatchBufferChars = 1000;

char16_t ascii_lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool same_ignoring_ascii_case(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
  return true;
}

}  // namespace

std::u16string program_folder_of(std::u16string_view module_path) {
  std::u16string folder(module_path);
  for (char16_t& c : folder)
    if (c == u'/') c = u'\\';
  const std::size_t last = folder.rfind(u'\\');
  if (last == std::u16string::npos) return {};
  folder.resize(last + 1);
  return folder;
}

bool sweep_spares(std::u16string_view exe_path, std::u16string_view own_path) {
  if (exe_path.find(u"zelovcamon.exe") != std::u16string_view::npos) return true;
  if (exe_path.find(u"vcam_uninstall.exe") != std::u16string_view::npos) return true;
  return !own_path.empty() && same_ignoring_ascii_case(exe_path, own_path);
}

bool is_registered_installation(std::u16string_view program_folder, std::u16string_view install_path) {
  const std::u16string own = folder_key(program_folder);
  const std::u16string registered = folder_key(install_path);
  if (is_volume_root_key(own) || is_volume_root_key(registered)) return false;
  return same_ignoring_ascii_case(own, registered);
}

std::u16string self_delete_batch(std::u16string_view exe_path, std::u16string_view folder,
                                 std::u16string_view batch_path) {
  std::u16string text;
  text += u":repeat\r\ndel /f \"";
  text += exe_path;
  text += u"\"\r\nif exist \"";
  text += exe_path;
  text += u"\" goto repeat\r\nchoice /t 3 /c ync /cs /d y\r\n";
  if (!folder.empty()) {
    text += u"rd \"";
    text += folder;
    text += u"\"\r\n";
  }
  text += u"del \"";
  text += batch_path;
  text += u"\"";
  if (text.size() >= kBatchBufferChars) return {};
  return text;
}

}  // namespace vcam::uninstaller
