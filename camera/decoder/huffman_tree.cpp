#include "camera/decoder/huffman_tree.h"

namespace vcam::camera {

HuffmanTree::HuffmanTree() : nodes_(1) {}

void HuffmanTree::build(const std::uint8_t (&counts)[16], const std::uint8_t* symbols) {
  nodes_.assign(1, Node{});
  last_length_ = -1;
  last_code_ = 0;
  defined_ = true;
  std::size_t next = 0;
  for (int length = 1; length <= 16; ++length) {
    for (int i = 0; i < counts[length - 1]; ++i) {
      // Codes stay below 2^25 even for the largest count lists (255 per length).
      const std::uint32_t code =
          last_length_ < 0 ? 0 : (last_code_ + 1) << (length - last_length_);
      insert(code, length, symbols[next++]);
      last_code_ = code;
      last_length_ = length;
    }
  }
}

void HuffmanTree::insert(std::uint32_t code, int length, std::uint8_t symbol) {
  std::int32_t at = kRoot;
  for (int bit = length - 1; bit >= 0; --bit) {
    const int branch = static_cast<int>((code >> bit) & 1u);
    std::int32_t next = nodes_[static_cast<std::size_t>(at)].child[branch];
    if (next < 0) {
      next = static_cast<std::int32_t>(nodes_.size());
      nodes_.emplace_back();
      nodes_[static_cast<std::size_t>(at)].child[branch] = next;
    }
    at = next;
  }
  nodes_[static_cast<std::size_t>(at)].symbol = symbol;
}

}  // namespace vcam::camera
