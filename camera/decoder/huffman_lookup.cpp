#include "camera/decoder/huffman_lookup.h"

namespace vcam::camera {

void HuffmanLookup::build(const HuffmanTree& tree) {
  tree_ = &tree;
  for (std::uint32_t bits = 0; bits < entries_.size(); ++bits) {
    std::int32_t at = HuffmanTree::kRoot;
    std::uint32_t entry = kInvalid;
    int depth = 0;
    for (; depth < kBits; ++depth) {
      if (tree.node(at).leaf()) break;
      at = tree.node(at).child[(bits >> (kBits - 1 - depth)) & 1u];
      if (at < 0) break;
    }
    if (at < 0 || depth == 0) {
      entry = kInvalid;  // no code, or an empty table
    } else if (tree.node(at).leaf()) {
      entry = kSymbol | static_cast<std::uint32_t>(depth) << 8 |
              static_cast<std::uint32_t>(tree.node(at).symbol);
    } else {
      entry = kDeeper | static_cast<std::uint32_t>(at);
    }
    entries_[bits] = entry;

    std::int32_t coefficient = 0;
    if ((entry & kSymbol) != 0) {
      const int length = depth;
      const int symbol = static_cast<int>(entry & 255u);
      const int size = symbol & 15;
      if (size != 0 && length + size <= kBits) {
        const int raw = static_cast<int>((bits >> (kBits - length - size)) & ((1u << size) - 1));
        const int value = (raw >> (size - 1)) != 0 ? raw : raw - ((1 << size) - 1);
        coefficient = static_cast<std::int32_t>(static_cast<std::uint32_t>(value) << 16) | (symbol >> 4) << 8 |
                      length << 4 | (length + size);
      }
    }
    coefficients_[bits] = coefficient;
  }
}

}  // namespace vcam::camera
