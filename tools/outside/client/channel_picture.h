#pragma once
// The client composes its pictures at its working size (1280 x 720), but the
// frame channel holds at most 1,920,000 bytes of pixels (480,000 BGRX
// pixels), less than a 1280 x 720 picture needs. Each picture is therefore
// reduced to the largest size of the same aspect ratio that fits before it
// is published; the camera scales it to the size its client asked for.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vcam::client {

inline constexpr std::int32_t kWorkingWidth = 1280;
inline constexpr std::int32_t kWorkingHeight = 720;

struct PictureSize {
  std::int32_t width = 0, height = 0;
};

// The largest multiple of the reduced aspect ratio of width:height that is no
// larger than the picture and whose BGRX pixels fit `capacity` bytes. A
// picture that fits already keeps its size; {0, 0} when nothing fits.
PictureSize channel_picture_size(std::int32_t width, std::int32_t height, std::size_t capacity);

// Bilinear reduction of a top-down BGRX picture to a smaller top-down BGRX
// picture; the sample positions are computed once per size pair.
class PictureReducer {
 public:
  // False (nothing written) for sizes of 0 or an enlargement.
  bool reduce(const std::uint8_t* src, std::int32_t src_width, std::int32_t src_height, std::uint8_t* dst,
              std::int32_t dst_width, std::int32_t dst_height);

 private:
  struct Tap {
    std::int32_t index;   // first of the two source pixels
    std::uint32_t weight;  // of the second, in 1/256
  };
  void prepare(std::int32_t src_width, std::int32_t src_height, std::int32_t dst_width, std::int32_t dst_height);

  std::int32_t sw_ = 0, sh_ = 0, dw_ = 0, dh_ = 0;
  std::vector<Tap> columns_, rows_;
};

}  // namespace vcam::client
