#pragma once
// A picture of the user's screen through GDI: the whole primary screen
// stretched into a top-down BGRX picture of a chosen size.
#include <windows.h>

#include <cstdint>

#include "common/win/unique_handle.h"

namespace vcam::client {

class ScreenGrabber {
 public:
  ScreenGrabber() = default;
  ScreenGrabber(const ScreenGrabber&) = delete;
  ScreenGrabber& operator=(const ScreenGrabber&) = delete;
  ~ScreenGrabber();

  // Writes width x height x 4 bytes. False (nothing written) when the
  // screen cannot be read.
  bool grab(std::uint8_t* pixels, std::int32_t width, std::int32_t height);

 private:
  bool prepare(std::int32_t width, std::int32_t height);

  UniqueMemoryDc dc_;
  UniqueGdiObject bitmap_;
  HGDIOBJ previous_ = nullptr;
  void* bits_ = nullptr;
  std::int32_t width_ = 0, height_ = 0;
};

}  // namespace vcam::client
