#include "dui/skin/texture_decoder.h"

#include <climits>
#include <cstring>

#include <stb/stb_image.h>

namespace vcam::dui {

namespace {

struct StbFree {
  void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

constexpr unsigned char kKeepSourceMark = 0x01;

// Skins hold PNG images; BMP is accepted too. The stb_image in use (2.27)
// reads and writes past its buffers on crafted JPEG entropy data and 16-bit
// PNM headers, so those formats and the rarer ones are refused unread.
bool IsAcceptedFormat(std::string_view bytes) {
  return bytes.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8) || bytes.substr(0, 2) == "BM";
}

// stb_image sizes its PNG data buffer by each chunk's claimed length before
// reading the chunk, so a short file claiming a huge chunk would make it
// allocate that much. A PNG whose chunks do not all fit in the bytes up to
// IEND is refused first.
bool PngChunksFit(std::string_view bytes) {
  constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);
  if (bytes.substr(0, 8) != kSignature) return true;  // not a PNG: nothing to check
  std::size_t at = 8;
  while (bytes.size() - at >= 12) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    const std::size_t length = std::size_t{p[0]} << 24 | std::size_t{p[1]} << 16 | std::size_t{p[2]} << 8 | p[3];
    if (length > bytes.size() - at - 12) return false;
    if (std::string_view(bytes.data() + at + 4, 4) == "IEND") return true;
    at += 12 + length;
  }
  return false;  // ends inside a chunk header, without IEND
}

}  // namespace

std::uint32_t PremultiplyPixel(std::uint32_t word) {
  const std::uint32_t a = word >> 24;
  if (a == 255) return word;
  if (a == 0) return 0;
  const std::uint32_t r = ((word >> 16) & 0xFF) * a / 255;
  const std::uint32_t g = ((word >> 8) & 0xFF) * a / 255;
  const std::uint32_t b = (word & 0xFF) * a / 255;
  return a << 24 | r << 16 | g << 8 | b;
}

void PremultiplyPixels(Texture& texture) {
  std::uint32_t* p = texture.pixels();
  const std::size_t n = static_cast<std::size_t>(texture.width()) * static_cast<std::size_t>(texture.height());
  for (std::size_t i = 0; i < n; ++i) p[i] = PremultiplyPixel(p[i]);
}

std::unique_ptr<Texture> DecodeTexture(std::string_view bytes, bool premultiply, const TextureMaker& make,
                                       std::int32_t max_side) {
  const bool keep_source = !bytes.empty() && static_cast<unsigned char>(bytes[0]) == kKeepSourceMark;
  if (keep_source) bytes.remove_prefix(1);
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX) || !IsAcceptedFormat(bytes) ||
      !PngChunksFit(bytes))
    return nullptr;
  const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
  const int length = static_cast<int>(bytes.size());

  // The header's size is checked before stb_image allocates anything for it.
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_memory(data, length, &width, &height, &channels)) return nullptr;
  if (width <= 0 || height <= 0 || width > max_side || height > max_side) return nullptr;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (count > SIZE_MAX / 4 / sizeof(std::uint32_t)) return nullptr;

  int w = 0, h = 0;
  std::unique_ptr<stbi_uc, StbFree> rgba(stbi_load_from_memory(data, length, &w, &h, &channels, 4));
  if (!rgba || w != width || h != height) return nullptr;

  std::unique_ptr<Texture> texture = make(width, height);
  if (!texture || texture->width() != width || texture->height() != height || !texture->pixels()) return nullptr;

  const stbi_uc* s = rgba.get();
  std::uint32_t* out = texture->pixels();
  bool has_alpha = false;
  for (std::size_t i = 0; i < count; ++i, s += 4) {
    std::uint32_t r = s[0], g = s[1], b = s[2];
    const std::uint32_t a = s[3];
    if (a != 255) {
      has_alpha = true;
      if (premultiply) {
        r = r * a / 255;
        g = g * a / 255;
        b = b * a / 255;
      }
    }
    out[i] = a << 24 | r << 16 | g << 8 | b;
  }
  texture->set_has_alpha(has_alpha);
  if (keep_source) texture->source().assign(rgba.get(), rgba.get() + count * 4);
  return texture;
}

}  // namespace vcam::dui
