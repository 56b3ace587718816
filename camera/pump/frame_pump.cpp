#include "camera/pump/frame_pump.h"

#include <algorithm>
#include <cstring>

#include "camera/channel/frame_header.h"
#include "camera/pump/picture_geometry.h"

namespace vcam::camera {
namespace {

// Output sizes come from a negotiated media type; anything beyond this is not
// a camera picture and would overflow the size arithmetic on 32-bit builds.
constexpr std::int32_t kMaxOutputDimension = 16384;
constexpr std::size_t kStagingAlignment = 4096;
constexpr std::uint32_t kOpaqueBlack = 0xFF000000;

std::int32_t magnitude(std::int32_t v) {
  return v == INT32_MIN ? INT32_MAX : (v < 0 ? -v : v);
}

}  // namespace

FramePump::FramePump(FrameSource& source, PumpClock& clock, PlaceholderBuilder& placeholder,
                     CompanionStarter& companion, std::pmr::memory_resource* memory)
    : source_(source), clock_(clock), placeholder_builder_(placeholder), companion_(companion), memory_(memory) {}

std::uint64_t FramePump::elapsed_ms() {
  const std::uint32_t now = clock_.tick_ms();
  elapsed_ms_ += static_cast<std::uint32_t>(now - last_tick_);
  last_tick_ = now;
  return elapsed_ms_;
}

void FramePump::active() {
  last_tick_ = clock_.tick_ms();
  elapsed_ms_ = 0;
  next_sample_time_ = 0;
  frame_counter_ = 0;
  last_stamp_ = 0;
  last_new_picture_ms_ = 0;
}

void FramePump::set_media_type(std::int32_t bi_width, std::int32_t bi_height) {
  companion_.start();
  prepare_geometry(bi_width, bi_height);
  work_ = {};  // freed before the placeholder is built, not after: a lower peak
  build_placeholder();
  build_work_picture();
}

void FramePump::build_work_picture() {
  work_ = {};
  const WorkGeometry g = work_geometry(out_width_, out_height_);
  if (g.present() && work_.buffer.allocate(memory_, g.size)) {
    work_.width = g.width;
    work_.height = g.height;
    work_.crop_offset = g.crop_offset;
  }
}

void FramePump::prepare_geometry(std::int32_t bi_width, std::int32_t bi_height) {
  const std::int32_t h = magnitude(bi_height);
  const bool usable = bi_width > 0 && bi_width <= kMaxOutputDimension && h > 0 && h <= kMaxOutputDimension;
  out_width_ = usable ? bi_width : 0;
  out_height_ = usable ? h : 0;
  // The bytes of a bottom-up 24-bit DIB; w x h x 3 for every offered size.
  out_size_ = dib_stride24(out_width_) * static_cast<std::size_t>(out_height_);
}

void FramePump::on_thread_create(std::int32_t bi_width, std::int32_t bi_height) {
  const std::int32_t h = magnitude(bi_height);
  const WorkGeometry g = work_geometry(bi_width, h);
  const bool geometry_in_place = out_width_ > 0 && out_width_ == bi_width && out_height_ == h;
  const bool work_in_place = !g.present() || work_.buffer;
  if (!geometry_in_place || !work_in_place) {
    prepare_geometry(bi_width, bi_height);
    build_work_picture();
  }
  if (out_width_ != placeholder_.width || out_height_ != placeholder_.height) build_placeholder();
}

void FramePump::on_thread_destroy() {
  out_width_ = out_height_ = 0;
  out_size_ = 0;
  work_ = {};
}

void FramePump::build_placeholder() {
  placeholder_ = {};
  if (out_size_ == 0 || !placeholder_.buffer.allocate(memory_, out_size_)) return;
  // A failed build then leaves black, not old heap contents.
  std::memset(placeholder_.buffer.data(), 0, out_size_);
  placeholder_builder_.build(out_width_, out_height_, placeholder_.buffer.data(), out_size_);
  placeholder_.width = out_width_;
  placeholder_.height = out_height_;
}

void FramePump::fill_buffer(OutputSample& sample) {
  // Sleep towards the absolute due time of this sample.
  const auto due = static_cast<std::uint64_t>(next_sample_time_ / 10'000);
  while (elapsed_ms() <= due) clock_.sleep_ms(kPacingSleepMs);

  const std::int64_t start = next_sample_time_;
  next_sample_time_ += kFrameInterval;
  sample.set_time(start, next_sample_time_);
  const auto media_start = static_cast<std::int64_t>(frame_counter_);
  sample.set_media_time(media_start, media_start + 1);
  ++frame_counter_;
  sample.set_sync_point(true);

  const std::int32_t width = source_.width();
  const std::int32_t height = source_.height();
  if (published_picture_bytes(width, height) == 0) {
    copy_placeholder(sample);
    return;
  }
  // Only a width change rebuilds; a new height alone keeps the old geometry.
  if ((!staging_.buffer || width != staging_.width) && !rebuild_staging(width, height)) {
    copy_placeholder(sample);
    return;
  }

  const std::uint64_t stamp = source_.stamp();
  if (stamp != last_stamp_) {
    // On a lock time-out the previous staging contents are shown; the stamp still counts as seen.
    source_.copyPixels(staging_.buffer.data(), staging_.size);
    if (!convert_into(sample)) copy_placeholder(sample);
    last_stamp_ = stamp;
    last_new_picture_ms_ = elapsed_ms();
  } else if (elapsed_ms() - last_new_picture_ms_ < kStaleIntervalMs) {
    if (!convert_into(sample)) copy_placeholder(sample);
  } else {
    copy_placeholder(sample);
  }
}

bool FramePump::rebuild_staging(std::int32_t width, std::int32_t height) {
  const std::size_t size = published_picture_bytes(width, height);
  const std::int32_t rows = magnitude(height);
  if (staging_.buffer.size() < size) {
    if (!staging_.buffer.allocate(memory_, size, kStagingAlignment)) {
      staging_ = {};
      scale_.set_source(nullptr, 0, 0);
      return false;
    }
    std::fill_n(reinterpret_cast<std::uint32_t*>(staging_.buffer.data()), size / 4, kOpaqueBlack);
  }
  staging_.width = width;
  staging_.height = -height;
  staging_.size = size;
  scale_.set_source(staging_.buffer.data(), width, rows);
  return true;
}

bool FramePump::convert_into(OutputSample& sample) {
  std::uint8_t* dst = sample.data();
  if (out_size_ == 0 || !dst || sample.size() < out_size_) return false;
  // The output is bottom-up; a top-row-first staging image (negative height) is flipped.
  const bool flip = staging_.height < 0;
  if (work_.buffer) {
    if (!scale_.convert(work_.buffer.data(), work_.width, work_.height, flip)) return false;
    std::memcpy(dst, work_.buffer.data() + work_.crop_offset, out_size_);
    return true;
  }
  return scale_.convert(dst, out_width_, out_height_, flip);
}

void FramePump::copy_placeholder(OutputSample& sample) {
  std::uint8_t* dst = sample.data();
  if (!dst) return;
  const std::size_t size = sample.size();
  const std::size_t have = placeholder_.buffer ? std::min(size, placeholder_.buffer.size()) : 0;
  if (have) std::memcpy(dst, placeholder_.buffer.data(), have);
  std::memset(dst + have, 0, size - have);
}

FramePump::Inspection FramePump::inspect() const {
  return {out_width_,
          out_height_,
          out_size_,
          work_.width,
          work_.height,
          work_.crop_offset,
          placeholder_.buffer.size(),
          staging_.width,
          staging_.height,
          staging_.size,
          staging_.buffer.size(),
          frame_counter_,
          next_sample_time_,
          scale_.builds()};
}

}  // namespace vcam::camera
