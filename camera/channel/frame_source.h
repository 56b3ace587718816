#pragma once
// The reading side of the frame channel as the frame pump sees it. On Windows
// FrameChannel implements it over the shared region; tests implement it in memory.
#include <cstddef>
#include <cstdint>

namespace vcam::camera {

class FrameSource {
 public:
  virtual ~FrameSource() = default;

  // Header fields, read without the frame mutex: the publisher may change them
  // at any moment, so callers validate before trusting them. 0 when closed.
  virtual std::int32_t width() const = 0;
  virtual std::int32_t height() const = 0;
  virtual std::uint64_t stamp() const = 0;

  // Copies `size` bytes of pixels into `dst` under the frame mutex. False (and
  // `dst` untouched) when nothing is open, the mutex stays busy beyond its
  // bounded wait, or `size` exceeds the pixel area.
  virtual bool copyPixels(void* dst, std::size_t size) = 0;
};

}  // namespace vcam::camera
