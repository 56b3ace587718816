#include "camera/decoder/huffman_lookup.h"

#include <gtest/gtest.h>

#include <random>

namespace vcam::camera {
namespace {

struct Walk {
  int symbol;  // -1: no code
  int length;
};

Walk walk(const HuffmanTree& tree, std::uint32_t bits16) {
  std::int32_t at = HuffmanTree::kRoot;
  int depth = 0;
  while (!tree.node(at).leaf()) {
    if (depth == 16) return {-1, depth};
    at = tree.node(at).child[(bits16 >> (15 - depth)) & 1u];
    ++depth;
    if (at < 0) return {-1, depth};
  }
  return {tree.node(at).symbol, depth};
}

// What the table gives for the 16 bits, finishing longer codes on the tree.
Walk look_up(const HuffmanLookup& lookup, std::uint32_t bits16) {
  const std::uint32_t entry = lookup.entry(bits16 >> (16 - HuffmanLookup::kBits));
  if (entry & HuffmanLookup::kSymbol) return {static_cast<int>(entry & 255), static_cast<int>((entry >> 8) & 31)};
  if (!(entry & HuffmanLookup::kDeeper)) return {-1, 0};
  std::int32_t at = static_cast<std::int32_t>(entry & 0xFFFFFF);
  int depth = HuffmanLookup::kBits;
  while (!lookup.tree().node(at).leaf()) {
    if (depth == 16) return {-1, depth};
    at = lookup.tree().node(at).child[(bits16 >> (15 - depth)) & 1u];
    ++depth;
    if (at < 0) return {-1, depth};
  }
  return {lookup.tree().node(at).symbol, depth};
}

TEST(HuffmanLookup, AgreesWithTheTreeWalkForEverySixteenBitPattern) {
  std::mt19937 rng(20240611);
  for (int round = 0; round < 60; ++round) {
    // Random count lists: valid, incomplete, overfull, long codes, empty.
    std::uint8_t counts[16] = {};
    const int style = round % 4;
    for (int i = 0; i < 16; ++i) {
      const std::uint32_t r = rng();
      if (style == 0) counts[i] = static_cast<std::uint8_t>(i < 2 ? r % 3 : r % 8);
      if (style == 1) counts[i] = static_cast<std::uint8_t>(r % 4 == 0 ? r % 40 : 0);
      if (style == 2 && i >= 8) counts[i] = static_cast<std::uint8_t>(r % 20);
    }
    std::vector<std::uint8_t> symbols(16 * 255);
    for (auto& s : symbols) s = static_cast<std::uint8_t>(rng());
    HuffmanTree tree;
    tree.build(counts, symbols.data());
    HuffmanLookup lookup;
    lookup.build(tree);
    for (std::uint32_t bits = 0; bits < 65536; ++bits) {
      const Walk expected = walk(tree, bits);
      const Walk got = look_up(lookup, bits);
      ASSERT_EQ(got.symbol, expected.symbol) << "round " << round << " bits " << bits;
      if (expected.symbol >= 0) {
        ASSERT_EQ(got.length, expected.length) << "round " << round << " bits " << bits;
      }
    }
  }
}

TEST(HuffmanLookup, EmptyTableHasNoCodeAtAll) {
  std::uint8_t counts[16] = {};
  HuffmanTree tree;
  tree.build(counts, nullptr);
  HuffmanLookup lookup;
  lookup.build(tree);
  for (std::uint32_t bits = 0; bits < (1u << HuffmanLookup::kBits); ++bits) {
    ASSERT_EQ(lookup.entry(bits), HuffmanLookup::kInvalid);
  }
}

}  // namespace
}  // namespace vcam::camera
