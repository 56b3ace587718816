#include "tools/pack/pack_sources.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

#include "common/text_utf.h"

namespace vcam::tools {

namespace fs = std::filesystem;

namespace {

std::u16string name_of(const fs::path& relative) {
  std::u16string name;
  for (const auto& part : relative) {
    if (!name.empty()) name += u'\\';
    name += part.u16string();
  }
  return name;
}

}  // namespace

bool sources_from_folder(const fs::path& folder, std::vector<source_file>& out, std::string& error) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    error = "not a folder: " + folder.string();
    return false;
  }
  std::vector<source_file> found;
  for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    found.push_back({name_of(fs::relative(it->path(), folder)), it->path(), false});
  }
  if (ec) {
    error = "cannot list " + folder.string() + ": " + ec.message();
    return false;
  }
  std::sort(found.begin(), found.end(), [](const source_file& a, const source_file& b) { return a.name < b.name; });
  out.insert(out.end(), found.begin(), found.end());
  return true;
}

bool sources_from_list(const fs::path& list, std::vector<source_file>& out, std::string& error) {
  std::ifstream in(list, std::ios::binary);
  if (!in) {
    error = "cannot read " + list.string();
    return false;
  }
  const fs::path base = list.parent_path();
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string f; std::getline(split, f, '\t');) fields.push_back(f);
    if (fields.empty() || fields.size() > 3 || (fields.size() == 3 && fields[2] != "store")) {
      error = list.string() + ":" + std::to_string(number) + ": expected path, name<TAB>path or name<TAB>path<TAB>store";
      return false;
    }
    const std::string& path_text = fields.size() == 1 ? fields[0] : fields[1];
    fs::path path(utf8_to_utf16(path_text));
    if (path.is_relative()) path = base / path;
    source_file s;
    s.path = path;
    s.name = fields.size() == 1 ? path.filename().u16string() : utf8_to_utf16(fields[0]);
    s.store = fields.size() == 3;
    out.push_back(std::move(s));
  }
  return true;
}

fs::path path_argument(std::string_view argument) { return fs::path(utf8_to_utf16(argument)); }

bool sources_from_argument(std::string_view argument, std::vector<source_file>& out, std::string& error) {
  if (argument.size() > 1 && argument[0] == '@') {
    return sources_from_list(path_argument(argument.substr(1)), out, error);
  }
  return sources_from_folder(path_argument(argument), out, error);
}

bool read_whole_file(const fs::path& path, std::vector<unsigned char>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool write_file_atomically(const fs::path& path, const std::vector<unsigned char>& bytes, std::string& error) {
  fs::path temporary = path;
  temporary += ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
      error = "cannot write " + temporary.string();
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temporary, path, ec);
  if (ec) {
    fs::remove(temporary, ec);
    error = "cannot replace " + path.string();
    return false;
  }
  return true;
}

}  // namespace vcam::tools
