#include "uninstaller/script/script_paths.h"

#include "common/path_text.h"

namespace vcam::uninstaller {

std::vector<std::u16string> directory_prefixes(std::u16string_view path) {
  const std::u16string p = to_backslashes(path);
  std::u16string prefix;
  std::size_t i = 0;
  while (i < p.size() && i < 2 && p[i] == u'\\') prefix.push_back(p[i++]);
  std::vector<std::u16string> out;
  while (i < p.size()) {
    std::size_t end = p.find(u'\\', i);
    if (end == std::u16string::npos) end = p.size();
    if (end > i) {
      prefix.append(p, i, end - i);
      prefix.push_back(u'\\');
      out.push_back(prefix);
    }
    i = end + 1;
  }
  return out;
}

std::u16string folder_key(std::u16string_view full_path) {
  std::u16string p = to_backslashes(full_path);
  constexpr std::u16string_view kUnc = u"\\\\?\\UNC\\", kLocal = u"\\\\?\\";
  if (p.starts_with(kUnc)) {
    p.replace(0, kUnc.size(), u"\\\\");
  } else if (p.starts_with(kLocal)) {
    p.erase(0, kLocal.size());
  }
  while (!p.empty() && p.back() == u'\\') p.pop_back();
  return p;
}

bool is_volume_root_key(std::u16string_view key) {
  if (key.empty()) return true;
  if (key.size() == 2 && key[1] == u':') return true;
  if (key.starts_with(u"\\\\")) {
    int pieces = 0;
    std::size_t i = 2;
    while (i < key.size()) {
      std::size_t end = key.find(u'\\', i);
      if (end == std::u16string_view::npos) end = key.size();
      if (end > i) ++pieces;
      i = end + 1;
    }
    return pieces <= 2;
  }
  return false;
}

}  // namespace vcam::uninstaller
