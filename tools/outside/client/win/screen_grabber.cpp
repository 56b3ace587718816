#include "tools/outside/client/win/screen_grabber.h"

#include <cstring>

namespace vcam::client {
namespace {

class ScreenDc {
 public:
  ScreenDc() : dc_(::GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_) ::ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace

ScreenGrabber::~ScreenGrabber() {
  // The bitmap must leave the memory DC before either is deleted.
  if (dc_ && previous_) ::SelectObject(dc_.get(), previous_);
}

bool ScreenGrabber::prepare(std::int32_t width, std::int32_t height) {
  if (dc_ && width == width_ && height == height_) return true;
  if (dc_ && previous_) ::SelectObject(dc_.get(), previous_);
  previous_ = nullptr;
  bitmap_.reset();
  dc_.reset(::CreateCompatibleDC(nullptr));
  if (!dc_) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, like the channel
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  bits_ = nullptr;
  bitmap_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
  if (!bitmap_ || !bits_) {
    dc_.reset();
    return false;
  }
  previous_ = ::SelectObject(dc_.get(), bitmap_.get());
  // Dropping rows and columns rather than averaging them: HALFTONE costs
  // several times as much, and the picture is averaged once more on its way
  // to the channel.
  ::SetStretchBltMode(dc_.get(), COLORONCOLOR);
  width_ = width;
  height_ = height;
  return true;
}

bool ScreenGrabber::grab(std::uint8_t* pixels, std::int32_t width, std::int32_t height) {
  if (!pixels || width <= 0 || height <= 0 || !prepare(width, height)) return false;
  const ScreenDc screen;
  if (!screen.get()) return false;
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  if (cx <= 0 || cy <= 0) return false;
  if (!::StretchBlt(dc_.get(), 0, 0, width, height, screen.get(), 0, 0, cx, cy, SRCCOPY | CAPTUREBLT)) return false;
  ::GdiFlush();
  std::memcpy(pixels, bits_, static_cast<std::size_t>(width) * height * 4);
  return true;
}

}  // namespace vcam::client
