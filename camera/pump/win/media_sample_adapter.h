#pragma once
// The pump's view of a DirectShow media sample.
#include <windows.h>

#include <strmif.h>

#include "camera/pump/frame_pump.h"

namespace vcam::camera {

class MediaSampleAdapter : public OutputSample {
 public:
  // `sample` must not be null; the caller keeps its reference.
  explicit MediaSampleAdapter(IMediaSample* sample);

  std::uint8_t* data() override { return data_; }
  std::size_t size() const override { return size_; }
  void set_time(std::int64_t start, std::int64_t stop) override;
  void set_media_time(std::int64_t start, std::int64_t stop) override;
  void set_sync_point(bool sync) override;

 private:
  IMediaSample* sample_;
  std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace vcam::camera
