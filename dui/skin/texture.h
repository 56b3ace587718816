#pragma once
// One decoded skin image: premultiplied 32-bit pixels, top-down rows, each
// word A<<24 | R<<16 | G<<8 | B. The platform keeps the pixels where it can
// blit them (a DIB section on Windows); the image cache owns textures.
#include <cstdint>
#include <vector>

namespace vcam::dui {

class Texture {
 public:
  virtual ~Texture() = default;
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }
  // Some pixel had alpha other than 255: drawn with alpha blending.
  bool has_alpha() const { return has_alpha_; }
  void set_has_alpha(bool on) { has_alpha_ = on; }
  std::uint32_t* pixels() { return pixels_; }
  const std::uint32_t* pixels() const { return pixels_; }
  // The decoded RGBA bytes, kept only for images stored with the keep-source mark.
  std::vector<std::uint8_t>& source() { return source_; }
  bool keeps_source() const { return !source_.empty(); }

  // The platform's bitmap (an HBITMAP on Windows), null where there is none.
  virtual void* NativeBitmap() const { return nullptr; }

 protected:
  Texture(std::int32_t width, std::int32_t height) : width_(width), height_(height) {}
  void set_pixels(std::uint32_t* pixels) { pixels_ = pixels; }

 private:
  std::int32_t width_;
  std::int32_t height_;
  bool has_alpha_ = false;
  std::uint32_t* pixels_ = nullptr;
  std::vector<std::uint8_t> source_;
};

}  // namespace vcam::dui
