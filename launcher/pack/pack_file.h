#pragma once
// The reader's access to the pack on disk, narrowed to what it needs: the
// size and "one seek and one read". The Windows build opens packs with the
// Windows file API (shared for reading, kept open), other builds with the C
// library; tests and fuzzing read from memory.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vcam::launcher {

class pack_file {
 public:
  virtual ~pack_file() = default;
  // The size in bytes; false when it cannot be known or does not fit 32 bits.
  virtual bool size(std::uint32_t& bytes) = 0;
  // Seeks to `offset` and reads exactly `count` bytes; false on failure or a
  // short read.
  virtual bool read_at(std::uint32_t offset, void* buffer, std::uint32_t count) = 0;
};

// Opens an existing file for reading, shared for reading only; null on failure.
std::unique_ptr<pack_file> open_pack_file(const std::u16string& path);

// A pack held in memory.
std::unique_ptr<pack_file> memory_pack_file(std::vector<unsigned char> bytes);

}  // namespace vcam::launcher
