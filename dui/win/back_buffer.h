#pragma once
// A window's back buffer: a memory DC holding a 32-bit top-down DIB section
// that the window paints into and copies to the screen in one go.
#include <windows.h>

#include <cstdint>

#include "common/win/unique_handle.h"
#include "dui/core/geometry.h"

namespace vcam::dui {

class BackBuffer {
 public:
  BackBuffer() = default;
  ~BackBuffer();
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;

  // Re-creates the buffer when the size changed (an empty size releases it).
  // False when it could not be made; the buffer is then released.
  bool Resize(std::int32_t width, std::int32_t height);

  HDC dc() const { return dc_.get(); }
  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }
  bool valid() const { return bits_ != nullptr; }
  // 0xAARRGGBB at (x, y); 0 outside the buffer.
  std::uint32_t Pixel(std::int32_t x, std::int32_t y) const;
  // Sets the pixels of r (clipped to the buffer) to 0: fully transparent.
  void Clear(const Rect& r);

 private:
  void Release();

  UniqueMemoryDc dc_;
  UniqueGdiObject bitmap_;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
};

}  // namespace vcam::dui
