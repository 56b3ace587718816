#pragma once
// Code tree of one JPEG Huffman table, built by the canonical code assignment.
// Malformed count lists are not rejected: their codes are inserted all the same
// (a later code may overwrite a symbol or sit on an inner node), so every path
// of the decoder sees the same tree for the same bytes.
#include <cstdint>
#include <vector>

namespace vcam::camera {

class HuffmanTree {
 public:
  struct Node {
    std::int32_t child[2] = {-1, -1};
    std::int32_t symbol = -1;  // -1 on inner nodes
    bool leaf() const { return child[0] < 0 && child[1] < 0; }
  };

  HuffmanTree();

  // Replaces the tree by the table's codes: counts[i] symbols of length i + 1,
  // taken from `symbols` in order.
  void build(const std::uint8_t (&counts)[16], const std::uint8_t* symbols);

  // Inserts one code of `length` bits (the low bits of `code`, most significant first).
  void insert(std::uint32_t code, int length, std::uint8_t symbol);

  bool defined() const { return defined_; }
  const Node& node(std::int32_t index) const { return nodes_[static_cast<std::size_t>(index)]; }
  static constexpr std::int32_t kRoot = 0;
  std::size_t node_count() const { return nodes_.size(); }

 private:
  std::vector<Node> nodes_;
  int last_length_ = -1;
  std::uint32_t last_code_ = 0;
  bool defined_ = false;
};

}  // namespace vcam::camera
