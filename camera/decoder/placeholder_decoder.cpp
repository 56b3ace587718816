#include "camera/decoder/placeholder_decoder.h"

#include <new>

#include "camera/decoder/bgr_converter.h"
#include "camera/decoder/fast_scan_decoder.h"
#include "camera/decoder/jpeg_header.h"
#include "camera/decoder/ycbcr_planes.h"

namespace vcam::camera {

bool PlaceholderDecoder::decode(const std::uint8_t* jpeg, std::size_t size, std::uint8_t* dst) {
  if (jpeg == nullptr || dst == nullptr) return false;
  // The tables, planes and row buffers are allocated on the way; running out
  // of memory is one more refusal, and the caller keeps its placeholder path.
  // dst is written only after the last allocation.
  try {
    JpegHeader header;
    if (!parse_jpeg_header(jpeg, size, kPlaceholderDecodeBufferSize, header)) return false;
    YCbCrPlanes planes(header.width, header.height);
    if (!decode_scan_fast(jpeg, size, header, planes)) return false;
    convert_to_bottom_up_bgr(planes, dst);
    width_ = header.width;
    height_ = header.height;
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace vcam::camera
