#include "dui/win/back_buffer.h"

#include <algorithm>

namespace vcam::dui {

BackBuffer::~BackBuffer() { Release(); }

void BackBuffer::Release() {
  // The bitmap cannot be deleted while it is selected.
  if (dc_ && previous_) ::SelectObject(dc_.get(), previous_);
  previous_ = nullptr;
  bitmap_.reset();
  dc_.reset();
  bits_ = nullptr;
  width_ = height_ = 0;
}

bool BackBuffer::Resize(std::int32_t width, std::int32_t height) {
  if (valid() && width == width_ && height == height_) return true;
  Release();
  if (width <= 0 || height <= 0) return false;
  dc_.reset(::CreateCompatibleDC(nullptr));
  if (!dc_) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_ || !bits) {
    Release();
    return false;
  }
  previous_ = ::SelectObject(dc_.get(), bitmap_.get());
  ::SetBkMode(dc_.get(), TRANSPARENT);
  bits_ = static_cast<std::uint32_t*>(bits);
  width_ = width;
  height_ = height;
  return true;
}

std::uint32_t BackBuffer::Pixel(std::int32_t x, std::int32_t y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  ::GdiFlush();
  return bits_[static_cast<std::size_t>(y) * width_ + x];
}

void BackBuffer::Clear(const Rect& r) {
  const Rect c = r.intersect({0, 0, width_, height_});
  if (!bits_ || c.empty()) return;
  ::GdiFlush();
  for (std::int32_t y = c.top; y < c.bottom; ++y)
    std::fill_n(bits_ + static_cast<std::size_t>(y) * width_ + c.left, c.width(), 0u);
}

}  // namespace vcam::dui
