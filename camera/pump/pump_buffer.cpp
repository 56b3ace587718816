#include "camera/pump/pump_buffer.h"

#include <new>
#include <utility>

namespace vcam::camera {

PumpBuffer::PumpBuffer(PumpBuffer&& other) noexcept
    : memory_(std::exchange(other.memory_, nullptr)),
      data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      alignment_(std::exchange(other.alignment_, 0)) {}

PumpBuffer& PumpBuffer::operator=(PumpBuffer&& other) noexcept {
  if (this != &other) {
    reset();
    memory_ = std::exchange(other.memory_, nullptr);
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    alignment_ = std::exchange(other.alignment_, 0);
  }
  return *this;
}

bool PumpBuffer::allocate(std::pmr::memory_resource* memory, std::size_t size, std::size_t alignment) {
  reset();
  if (!memory || size == 0) return false;
  try {
    data_ = static_cast<std::uint8_t*>(memory->allocate(size, alignment));
  } catch (const std::bad_alloc&) {
    data_ = nullptr;
  }
  if (!data_) return false;
  memory_ = memory;
  size_ = size;
  alignment_ = alignment;
  return true;
}

void PumpBuffer::reset() {
  if (data_) memory_->deallocate(data_, size_, alignment_);
  memory_ = nullptr;
  data_ = nullptr;
  size_ = 0;
  alignment_ = 0;
}

}  // namespace vcam::camera
