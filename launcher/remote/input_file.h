#pragma once
// A file opened for binary reading by its UTF-16 path: through the wide C
// runtime call on Windows, the UTF-8 path elsewhere.
#include <cstdio>
#include <memory>
#include <string>

namespace vcam::launcher {

struct file_closer {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using unique_stdio_file = std::unique_ptr<std::FILE, file_closer>;

// Null when the file cannot be opened.
unique_stdio_file open_input_file(const std::u16string& path);

}  // namespace vcam::launcher
