#pragma once
// The libswscale state of one pin: source plane (the staging image, BGR0),
// the scaler context and the target size it was built for. The context is
// rebuilt only when the target size changes or the source is replaced.
#include <cstdint>

struct SwsContext;

namespace vcam::camera {

class ScaleState {
 public:
  ScaleState() = default;
  ~ScaleState();
  ScaleState(const ScaleState&) = delete;
  ScaleState& operator=(const ScaleState&) = delete;

  // Points the source at a top-row-first BGR0 picture of width x rows, stride
  // width x 4, and forgets the context so the next conversion builds one.
  void set_source(std::uint8_t* pixels, std::int32_t width, std::int32_t rows);

  // Scales the whole source into `target`, a BGR24 picture of target_width x
  // target_height whose rows are dib_stride24(target_width) bytes apart. With
  // `flip` the source's first row lands in the target's last row. False when
  // there is no source or the context cannot be built.
  bool convert(std::uint8_t* target, std::int32_t target_width, std::int32_t target_height, bool flip);

  // Contexts built so far.
  unsigned builds() const { return builds_; }

 private:
  std::uint8_t* src_data_[4] = {};
  int src_linesize_[4] = {};
  std::int32_t src_width_ = 0, src_rows_ = 0;
  std::int32_t cached_width_ = 0, cached_height_ = 0;
  SwsContext* context_ = nullptr;
  unsigned builds_ = 0;
};

}  // namespace vcam::camera
