#pragma once
// Skin images from bytes: stb_image decodes them to RGBA, and the pixels go
// into a platform texture as A<<24 | R<<16 | G<<8 | B words.
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "dui/skin/texture.h"

namespace vcam::dui {

// Makes an all-zero texture of the given size, or null (UiPlatform::CreateTexture).
using TextureMaker = std::function<std::unique_ptr<Texture>(std::int32_t width, std::int32_t height)>;

// Images wider or taller than this are refused before anything is allocated.
inline constexpr std::int32_t kMaxTextureSide = 16384;

// Decodes an image file's bytes. A first byte 0x01 marks an image whose RGBA
// bytes the texture keeps; the image starts after it. With `premultiply` the
// colour channels of each pixel whose alpha is not 255 become floor(c * A / 255).
// PNG and BMP images are accepted. Null for other bytes, for what stb_image
// refuses, truncated images, and images with a side above `max_side`.
std::unique_ptr<Texture> DecodeTexture(std::string_view bytes, bool premultiply, const TextureMaker& make,
                                       std::int32_t max_side = kMaxTextureSide);

// A pixel word premultiplied: alpha 255 unchanged, alpha 0 the word 0,
// otherwise each colour channel c becomes floor(c * A / 255).
std::uint32_t PremultiplyPixel(std::uint32_t word);
void PremultiplyPixels(Texture& texture);

}  // namespace vcam::dui
