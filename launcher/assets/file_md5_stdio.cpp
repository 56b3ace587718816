#include "launcher/assets/file_md5.h"

#include <vector>

#include "launcher/assets/md5_digest.h"
#include "launcher/remote/input_file.h"

namespace vcam::launcher {

std::uint32_t md5_view_size(std::uint32_t allocation_granularity) {
  constexpr std::uint32_t kMinimum = 16 * 1024;
  std::uint32_t size = allocation_granularity == 0 ? 1 : allocation_granularity;
  while (size < kMinimum) size *= 2;
  return size;
}

std::u16string file_md5_stdio(const std::u16string& path) {
  unique_stdio_file file = open_input_file(path);
  if (!file) return {};
  md5_digest digest;
  std::vector<unsigned char> block(64 * 1024);
  std::uint64_t total = 0;
  for (;;) {
    const std::size_t got = std::fread(block.data(), 1, block.size(), file.get());
    digest.update(block.data(), got);
    total += got;
    if (got < block.size()) break;
  }
  // An empty file gives the empty text, as the mapped read (which cannot map
  // zero bytes) does.
  if (std::ferror(file.get()) || total == 0) return {};
  return digest.finish_hex();
}

}  // namespace vcam::launcher
