#pragma once
// A texture kept in a 32-bit top-down DIB section, so that drawing it is one
// blit from a memory DC.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "dui/skin/texture.h"

namespace vcam::dui {

class DibTexture : public Texture {
 public:
  // Null when the section cannot be made.
  static std::unique_ptr<DibTexture> Create(std::int32_t width, std::int32_t height);
  ~DibTexture() override;

  void* NativeBitmap() const override { return bitmap_; }

 private:
  DibTexture(std::int32_t width, std::int32_t height, HBITMAP bitmap, void* bits);
  HBITMAP bitmap_;
};

}  // namespace vcam::dui
