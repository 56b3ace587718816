#include "camera/pump/scale_state.h"

extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

#include "camera/pump/picture_geometry.h"

namespace vcam::camera {

ScaleState::~ScaleState() { sws_freeContext(context_); }

void ScaleState::set_source(std::uint8_t* pixels, std::int32_t width, std::int32_t rows) {
  src_width_ = width;
  src_rows_ = rows;
  if (!pixels || av_image_fill_arrays(src_data_, src_linesize_, pixels, AV_PIX_FMT_BGR0, width, rows, 4) < 0) {
    src_data_[0] = nullptr;
    src_width_ = src_rows_ = 0;
  }
  cached_width_ = cached_height_ = 0;
}

bool ScaleState::convert(std::uint8_t* target, std::int32_t target_width, std::int32_t target_height,
                         bool flip) {
  if (!src_data_[0] || !target || target_width <= 0 || target_height <= 0) return false;
  if (!context_ || target_width != cached_width_ || target_height != cached_height_) {
    sws_freeContext(context_);
    context_ = sws_getContext(src_width_, src_rows_, AV_PIX_FMT_BGR0, target_width, target_height,
                              AV_PIX_FMT_BGR24, SWS_FAST_BILINEAR, nullptr, nullptr, nullptr);
    cached_width_ = context_ ? target_width : 0;
    cached_height_ = context_ ? target_height : 0;
    if (!context_) return false;
    ++builds_;
  }
  const int stride = static_cast<int>(dib_stride24(target_width));
  std::uint8_t* dst_data[4] = {target};
  int dst_linesize[4] = {stride};
  if (flip) {
    // A top-row-first source into a bottom-up DIB: write from the last row up.
    dst_data[0] = target + static_cast<std::size_t>(target_height - 1) * stride;
    dst_linesize[0] = -stride;
  }
  sws_scale(context_, src_data_, src_linesize_, 0, src_rows_, dst_data, dst_linesize);
  return true;
}

}  // namespace vcam::camera
