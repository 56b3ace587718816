#include "camera/decoder/huffman_tree.h"

#include <gtest/gtest.h>

#include <string>

namespace vcam::camera {
namespace {

// Symbol reached by walking `bits` ("0"/"1" text) from the root; -1 when a
// child is missing, -2 when the walk ends on an inner node.
int walk(const HuffmanTree& tree, const std::string& bits) {
  std::int32_t at = HuffmanTree::kRoot;
  for (char bit : bits) {
    at = tree.node(at).child[bit == '1' ? 1 : 0];
    if (at < 0) return -1;
  }
  return tree.node(at).leaf() ? tree.node(at).symbol : -2;
}

HuffmanTree build(std::initializer_list<std::uint8_t> count_list, std::initializer_list<std::uint8_t> symbol_list) {
  std::uint8_t counts[16] = {};
  std::size_t i = 0;
  for (std::uint8_t c : count_list) counts[i++] = c;
  const std::vector<std::uint8_t> symbols(symbol_list);
  HuffmanTree tree;
  tree.build(counts, symbols.data());
  return tree;
}

TEST(HuffmanTree, StandardLuminanceDcTableGetsItsCanonicalCodes) {
  const HuffmanTree tree = build({0, 1, 5, 1, 1, 1, 1, 1, 1}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
  EXPECT_EQ(walk(tree, "00"), 0);
  EXPECT_EQ(walk(tree, "010"), 1);
  EXPECT_EQ(walk(tree, "011"), 2);
  EXPECT_EQ(walk(tree, "100"), 3);
  EXPECT_EQ(walk(tree, "101"), 4);
  EXPECT_EQ(walk(tree, "110"), 5);
  EXPECT_EQ(walk(tree, "1110"), 6);
  EXPECT_EQ(walk(tree, "11110"), 7);
  EXPECT_EQ(walk(tree, "111110"), 8);
  EXPECT_EQ(walk(tree, "1111110"), 9);
  EXPECT_EQ(walk(tree, "11111110"), 10);
  EXPECT_EQ(walk(tree, "111111110"), 11);
  EXPECT_EQ(walk(tree, "111111111"), -1);  // the all-ones code is not assigned
  EXPECT_EQ(walk(tree, "1"), -2);
}

TEST(HuffmanTree, CodeAfterSkippedLengthsIsShiftedByTheGap) {
  // One code of length 1, then two of length 4: 0, then (0 + 1) << 3 = 1000, 1001.
  const HuffmanTree tree = build({1, 0, 0, 2}, {7, 8, 9});
  EXPECT_EQ(walk(tree, "0"), 7);
  EXPECT_EQ(walk(tree, "1000"), 8);
  EXPECT_EQ(walk(tree, "1001"), 9);
  EXPECT_EQ(walk(tree, "101"), -1);
  EXPECT_EQ(walk(tree, "11"), -1);
}

TEST(HuffmanTree, TableWithoutCodesHasAChildlessRoot) {
  const HuffmanTree tree = build({}, {});
  EXPECT_TRUE(tree.defined());
  EXPECT_TRUE(tree.node(HuffmanTree::kRoot).leaf());
  EXPECT_EQ(tree.node(HuffmanTree::kRoot).symbol, -1);
  EXPECT_FALSE(HuffmanTree().defined());
}

TEST(HuffmanTree, OverfullLengthWrapsOntoEarlierCodes) {
  // Three codes of length 1: 0, 1 and 2, whose single low bit is 0 again, so
  // the third symbol replaces the first.
  const HuffmanTree tree = build({3}, {4, 5, 6});
  EXPECT_EQ(walk(tree, "0"), 6);
  EXPECT_EQ(walk(tree, "1"), 5);
  EXPECT_EQ(tree.node_count(), 3u);
}

TEST(HuffmanTree, ShorterCodeOnAnInnerNodeIsNeverReached) {
  HuffmanTree tree = build({0, 1}, {1});  // "00"
  tree.insert(0, 1, 9);                   // "0" lands on the inner node above "00"
  EXPECT_EQ(walk(tree, "00"), 1);
  EXPECT_EQ(walk(tree, "0"), -2);
}

TEST(HuffmanTree, RedefinitionReplacesTheWholeTable) {
  HuffmanTree tree = build({2}, {1, 2});
  std::uint8_t counts[16] = {0, 1};
  const std::uint8_t symbols[] = {3};
  tree.build(counts, symbols);
  EXPECT_EQ(walk(tree, "00"), 3);
  EXPECT_EQ(walk(tree, "1"), -1);
  EXPECT_EQ(walk(tree, "01"), -1);
}

TEST(HuffmanTree, SixteenBitCodesAreInserted) {
  std::uint8_t counts[16] = {};
  counts[0] = 1;
  counts[15] = 2;
  const std::uint8_t symbols[] = {1, 2, 3};
  HuffmanTree tree;
  tree.build(counts, symbols);
  EXPECT_EQ(walk(tree, "1000000000000000"), 2);
  EXPECT_EQ(walk(tree, "1000000000000001"), 3);
  EXPECT_EQ(walk(tree, "100000000000001"), -1);
}

}  // namespace
}  // namespace vcam::camera
