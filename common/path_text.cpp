#include "common/path_text.h"

namespace vcam {

namespace {
bool is_sep(char16_t c) { return c == u'\\' || c == u'/'; }
}  // namespace

std::u16string to_backslashes(std::u16string_view path) {
  std::u16string out(path);
  for (auto& c : out)
    if (c == u'/') c = u'\\';
  return out;
}

std::u16string folder_of(std::u16string_view file_path) {
  std::u16string p = to_backslashes(file_path);
  const auto pos = p.rfind(u'\\');
  if (pos == std::u16string::npos) return {};
  p.resize(pos + 1);
  return p;
}

std::u16string_view file_name_of(std::u16string_view path) {
  for (std::size_t i = path.size(); i > 0; --i)
    if (is_sep(path[i - 1])) return path.substr(i);
  return path;
}

std::vector<std::u16string> folder_ancestors(std::u16string_view folder) {
  const std::u16string p = to_backslashes(folder);
  std::size_t start = 0;
  if (p.size() >= 2 && p[0] == u'\\' && p[1] == u'\\') {
    // \\server\share is one piece that already exists.
    const auto server_end = p.find(u'\\', 2);
    start = server_end == std::u16string::npos ? p.size() : p.find(u'\\', server_end + 1);
    if (start == std::u16string::npos) start = p.size();
  } else if (p.size() >= 2 && p[1] == u':') {
    start = 2;
  }
  std::vector<std::u16string> out;
  for (std::size_t i = start + 1; i <= p.size(); ++i) {
    const bool piece_ends = i == p.size() || p[i] == u'\\';
    if (piece_ends && p[i - 1] != u'\\') out.push_back(p.substr(0, i));
  }
  return out;
}

}  // namespace vcam
