#pragma once
// Buffered bit reader over the entropy-coded data for the fast decoder. It
// reads ahead up to 64 bits, but stops at the end of the data or at a marker
// without failing: only a request for bits that are not there fails, exactly
// where a bit-by-bit reader would.
#include <cstddef>
#include <cstdint>

#include "camera/decoder/entropy_bytes.h"

namespace vcam::camera {

class EntropyBitReader {
 public:
  EntropyBitReader(const std::uint8_t* data, std::size_t size, std::size_t begin)
      : data_(data), size_(size), pos_(begin) {}

  // Tops the buffer up to at least 57 bits, or to all that is left.
  void refill() {
    while (count_ <= 56 && !ended_) {
      int byte;
      if (pos_ < size_ && data_[pos_] != 0xFF) {
        byte = data_[pos_++];
      } else {
        byte = next_entropy_byte(data_, size_, pos_);
        if (byte == kNoEntropyByte) {
          ended_ = true;
          break;
        }
      }
      buffer_ |= static_cast<std::uint64_t>(byte) << (56 - count_);
      count_ += 8;
    }
  }

  int count() const { return count_; }
  // The next `n` (1..32) bits, zero-padded past the end of the data.
  std::uint32_t peek(int n) const { return static_cast<std::uint32_t>(buffer_ >> (64 - n)); }
  // Drops `n` <= count() bits.
  void skip(int n) {
    buffer_ <<= n;
    count_ -= n;
  }

  // The next `n` (1..16) bits, or false when the data ends first.
  bool take(int n, std::uint32_t& bits) {
    if (count_ < n) {
      refill();
      if (count_ < n) return false;
    }
    bits = peek(n);
    skip(n);
    return true;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_;
  std::uint64_t buffer_ = 0;  // next bits, most significant first
  int count_ = 0;
  bool ended_ = false;
};

}  // namespace vcam::camera
