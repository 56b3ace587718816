#pragma once
// Byte vectors for the tests of the packs, the containers and the transfers.
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <random>
#include <string_view>
#include <vector>

namespace vcam::testing {

using bytes = std::vector<unsigned char>;

inline bytes text_bytes(std::string_view s) { return bytes(s.begin(), s.end()); }

// `n` bytes from std::mt19937(seed): the same bytes for a seed on every build.
inline bytes random_bytes(std::size_t n, unsigned seed) {
  std::mt19937 g(seed);
  bytes out(n);
  for (auto& b : out) b = static_cast<unsigned char>(g());
  return out;
}

// Creates or replaces the file at `path` with `content`.
inline void write_bytes(const std::filesystem::path& path, const bytes& content) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
}

}  // namespace vcam::testing
