#pragma once
// Builds the uninstaller's resource containers (".lz"): entry data from offset
// 0, the directory with scrambled names, the trailer. An entry is compressed
// with LZMA unless it is asked to be stored, is empty, or would not shrink.
// The output depends only on the files, their names, order and modes.
#include <string>
#include <vector>

namespace vcam::tools {

class resource_pack_writer {
 public:
  // False, with a reason, for an empty name or one holding a NUL unit. A name
  // added twice is written twice; the reader keeps the later one.
  bool add(std::u16string name, const std::vector<unsigned char>& data, bool compress, std::string* error);
  // False, with a reason, when the container would not fit 32-bit offsets.
  bool finish(std::vector<unsigned char>& container, std::string* error) const;

  std::size_t size() const { return entries_.size(); }

 private:
  struct entry {
    std::u16string name;
    std::vector<unsigned char> stored;
    std::uint32_t unpacked_size;  // 0: stored
  };
  std::vector<entry> entries_;
};

}  // namespace vcam::tools
