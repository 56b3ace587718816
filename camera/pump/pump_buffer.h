#pragma once
// An owned byte buffer from a memory resource, with a chosen alignment. The
// pump's pictures are large; their allocation may fail, and the pump must
// carry on without them rather than throw.
#include <cstddef>
#include <cstdint>
#include <memory_resource>

namespace vcam::camera {

class PumpBuffer {
 public:
  PumpBuffer() = default;
  ~PumpBuffer() { reset(); }
  PumpBuffer(PumpBuffer&& other) noexcept;
  PumpBuffer& operator=(PumpBuffer&& other) noexcept;
  PumpBuffer(const PumpBuffer&) = delete;
  PumpBuffer& operator=(const PumpBuffer&) = delete;

  // Frees the old contents, then takes `size` uninitialised bytes. False, and
  // empty, when the resource refuses.
  bool allocate(std::pmr::memory_resource* memory, std::size_t size,
                std::size_t alignment = alignof(std::max_align_t));
  void reset();

  std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }
  explicit operator bool() const { return data_ != nullptr; }

 private:
  std::pmr::memory_resource* memory_ = nullptr;
  std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t alignment_ = 0;
};

}  // namespace vcam::camera
