#pragma once
// Builds ".zeloz" resource packs, the inverse of the launcher's reader:
// files at 4-byte boundaries scrambled with their entry's keystream, names
// scrambled with the index key, the index, the trailer. The output depends
// only on the files, their names, their order and their seeds.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vcam::tools {

// A seed derived from the name alone (FNV-1a over its UTF-16LE bytes), so a
// pack rebuilt from the same files is the same byte for byte.
std::uint32_t zelopack_name_seed(std::u16string_view name);

class zelopack_writer {
 public:
  // False, with a reason, for a name the format cannot hold: empty, holding
  // a NUL unit or longer than 127 UTF-16 units. A name added twice is
  // written twice; the reader keeps the later one.
  bool add(std::u16string name, std::vector<unsigned char> data, std::uint32_t seed, std::string* error);

  // The pack; false, with a reason, when it would not fit 32-bit offsets.
  bool finish(std::vector<unsigned char>& pack, std::string* error) const;

  std::size_t size() const { return entries_.size(); }

 private:
  struct entry {
    std::u16string name;
    std::vector<unsigned char> data;
    std::uint32_t seed;
  };
  std::vector<entry> entries_;
};

}  // namespace vcam::tools
