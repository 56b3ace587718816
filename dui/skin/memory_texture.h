#pragma once
// A texture whose pixels live in ordinary memory: the tests' platform makes
// these, and they serve wherever pixels are only computed, never blitted.
#include <cstdint>
#include <vector>

#include "dui/skin/texture.h"

namespace vcam::dui {

class MemoryTexture : public Texture {
 public:
  MemoryTexture(std::int32_t width, std::int32_t height)
      : Texture(width, height), storage_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    set_pixels(storage_.data());
  }

 private:
  std::vector<std::uint32_t> storage_;
};

}  // namespace vcam::dui
