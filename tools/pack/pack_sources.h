#pragma once
// The inputs of the pack tools: which files go into a pack, under which
// names, and the file reading and writing around them.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vcam::tools {

struct source_file {
  std::u16string name;          // the name readers ask for
  std::filesystem::path path;   // where the bytes come from
  bool store = false;           // containers: never compress this one
};

// Every regular file below `folder`, named by its path relative to the
// folder with "\" between components, in code-unit order of the names so the
// result does not depend on the file system's order.
bool sources_from_folder(const std::filesystem::path& folder, std::vector<source_file>& out, std::string& error);

// A list file, UTF-8, one file a line, kept in order (duplicates too: the
// later entry wins in the readers):
//   path                 the file, named by its file name
//   name<TAB>path        the file under another name
//   name<TAB>path<TAB>store
// Blank lines and lines starting with "#" are skipped; relative paths are
// taken from the list's folder.
bool sources_from_list(const std::filesystem::path& list, std::vector<source_file>& out, std::string& error);

// A path given on the command line, in UTF-8.
std::filesystem::path path_argument(std::string_view argument);

// The sources a command line names: "@LIST" reads the list file LIST,
// anything else is a folder.
bool sources_from_argument(std::string_view argument, std::vector<source_file>& out, std::string& error);

bool read_whole_file(const std::filesystem::path& path, std::vector<unsigned char>& bytes);

// Writes to a temporary file beside `path` and renames it over `path`, so an
// interrupted build never leaves a half-written pack.
bool write_file_atomically(const std::filesystem::path& path, const std::vector<unsigned char>& bytes,
                           std::string& error);

}  // namespace vcam::tools
