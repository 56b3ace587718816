#pragma once
// The three decoded sample planes of a 4:2:0 picture: full-size luminance,
// half-width and half-height chroma.
#include <cstddef>
#include <cstdint>
#include <memory>

namespace vcam::camera {

struct YCbCrPlanes {
  YCbCrPlanes(int picture_width, int picture_height)
      : width(picture_width),
        height(picture_height),
        chroma_width(picture_width / 2),
        chroma_height(picture_height / 2),
        y(std::make_unique_for_overwrite<std::uint8_t[]>(luma_size())),
        cb(std::make_unique_for_overwrite<std::uint8_t[]>(chroma_size())),
        cr(std::make_unique_for_overwrite<std::uint8_t[]>(chroma_size())) {}

  std::size_t luma_size() const { return static_cast<std::size_t>(width) * static_cast<std::size_t>(height); }
  std::size_t chroma_size() const {
    return static_cast<std::size_t>(chroma_width) * static_cast<std::size_t>(chroma_height);
  }

  int width;
  int height;
  int chroma_width;
  int chroma_height;
  std::unique_ptr<std::uint8_t[]> y;
  std::unique_ptr<std::uint8_t[]> cb;
  std::unique_ptr<std::uint8_t[]> cr;
};

}  // namespace vcam::camera
