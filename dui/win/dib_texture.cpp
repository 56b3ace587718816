#include "dui/win/dib_texture.h"

namespace vcam::dui {

std::unique_ptr<DibTexture> DibTexture::Create(std::int32_t width, std::int32_t height) {
  if (width <= 0 || height <= 0) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) ::DeleteObject(bitmap);
    return nullptr;
  }
  return std::unique_ptr<DibTexture>(new DibTexture(width, height, bitmap, bits));
}

DibTexture::DibTexture(std::int32_t width, std::int32_t height, HBITMAP bitmap, void* bits)
    : Texture(width, height), bitmap_(bitmap) {
  set_pixels(static_cast<std::uint32_t*>(bits));
}

DibTexture::~DibTexture() { ::DeleteObject(bitmap_); }

}  // namespace vcam::dui
