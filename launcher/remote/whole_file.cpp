#include "launcher/remote/whole_file.h"

#include "launcher/remote/input_file.h"

namespace vcam::launcher {

whole_file_result read_whole_file(const std::u16string& path, std::size_t limit, std::string& bytes) {
  unique_stdio_file file = open_input_file(path);
  if (!file) return whole_file_result::unreadable;
  // Read in blocks rather than trusting a size taken first: the file may not
  // be seekable, and may grow while it is read.
  std::string content;
  char block[16 * 1024];
  for (;;) {
    const std::size_t got = std::fread(block, 1, sizeof block, file.get());
    if (got > limit - content.size()) return whole_file_result::too_large;
    content.append(block, got);
    if (got < sizeof block) break;
  }
  if (std::ferror(file.get())) return whole_file_result::unreadable;
  bytes = std::move(content);
  return whole_file_result::read;
}

}  // namespace vcam::launcher
