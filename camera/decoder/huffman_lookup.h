#pragma once
// Table-driven decoding of a HuffmanTree: the next kBits bits index an entry
// that gives the symbol and its code length directly, tells that the tree has
// no code for those bits, or names the tree node to continue from for the
// rarer longer codes. Built from the tree itself, so it decodes exactly what a
// walk of the tree decodes.
#include <array>
#include <cstdint>

#include "camera/decoder/huffman_tree.h"

namespace vcam::camera {

class HuffmanLookup {
 public:
  static constexpr int kBits = 9;

  // Entry layout: kSymbol | length << 8 | symbol; kDeeper | node; 0 = no code.
  static constexpr std::uint32_t kSymbol = 1u << 30;
  static constexpr std::uint32_t kDeeper = 1u << 31;
  static constexpr std::uint32_t kInvalid = 0;

  void build(const HuffmanTree& tree);

  std::uint32_t entry(std::uint32_t next_bits) const { return entries_[next_bits]; }

  // For AC tables: when the next kBits bits hold a whole code with size s != 0
  // and its s value bits, the decoded coefficient in one step:
  // value << 16 | run << 8 | code length << 4 | code and value length. 0 otherwise.
  std::int32_t coefficient(std::uint32_t next_bits) const { return coefficients_[next_bits]; }
  const HuffmanTree& tree() const { return *tree_; }

 private:
  const HuffmanTree* tree_ = nullptr;
  std::array<std::uint32_t, 1u << kBits> entries_{};
  std::array<std::int32_t, 1u << kBits> coefficients_{};
};

}  // namespace vcam::camera
