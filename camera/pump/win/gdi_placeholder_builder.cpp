#include "camera/pump/win/gdi_placeholder_builder.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "camera/decoder/placeholder_decoder.h"
#include "camera/pump/picture_geometry.h"
#include "common/win/unique_handle.h"

namespace vcam::camera {
namespace {

BITMAPINFO bottom_up_bgr24(std::int32_t width, std::int32_t rows) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = rows;  // positive: bottom row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// Puts the DC's previous bitmap back before the DC and the DIB are deleted.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~Selection() {
    if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  bool ok() const { return previous_ && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace

bool GdiPlaceholderBuilder::build(std::int32_t width, std::int32_t height, std::uint8_t* dst, std::size_t size) {
  const std::unique_ptr<std::uint8_t[]> picture(new (std::nothrow) std::uint8_t[kPlaceholderDecodeBufferSize]);
  if (!picture) return false;
  const std::span<const std::uint8_t> jpeg = builtin_placeholder_jpeg();
  PlaceholderDecoder decoder;
  if (!decoder.decode(jpeg.data(), jpeg.size(), picture.get())) return false;
  // The bands are rows of a 960 x 720 picture; anything else cannot be cut.
  if (decoder.width() != kBuiltinPictureWidth || decoder.height() != kBuiltinPictureHeight) return false;
  return stretch(picture.get(), width, height, dst, size);
}

bool GdiPlaceholderBuilder::stretch(const std::uint8_t* picture, std::int32_t width, std::int32_t height,
                                    std::uint8_t* dst, std::size_t size) {
  if (!picture || !dst || width <= 0 || height == 0) return false;
  const std::int32_t rows = height < 0 ? -height : height;
  const PlaceholderBand band = placeholder_band(width, rows);

  const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return false;
  BITMAPINFO target = bottom_up_bgr24(width, rows);
  void* bits = nullptr;
  const UniqueGdiObject bitmap(::CreateDIBSection(dc.get(), &target, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return false;
  const Selection selection(dc.get(), bitmap.get());
  if (!selection.ok()) return false;
  ::SetStretchBltMode(dc.get(), COLORONCOLOR);

  const BITMAPINFO source = bottom_up_bgr24(kBuiltinPictureWidth, band.rows);
  const int copied = ::StretchDIBits(dc.get(), 0, 0, width, rows, 0, 0, kBuiltinPictureWidth, band.rows,
                                     picture + band.offset, &source, DIB_RGB_COLORS, SRCCOPY);
  if (copied == 0 || copied == static_cast<int>(GDI_ERROR)) return false;
  ::GdiFlush();
  std::memcpy(dst, bits, std::min(size, dib_stride24(width) * static_cast<std::size_t>(rows)));
  return true;
}

}  // namespace vcam::camera
