#pragma once
// The filter's side of the frame channel: one per output pin, opened once in
// the pin's constructor and closed in its destructor.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "camera/channel/channel_names.h"
#include "camera/channel/frame_source.h"
#include "camera/channel/win/shared_region.h"

namespace vcam::camera {

class FrameChannel : public FrameSource {
 public:
  // Tests pass their own names so that parallel runs do not meet.
  explicit FrameChannel(RegionNames names = kFrameChannelNames,
                        LabelFunction label = apply_low_integrity_label);
  ~FrameChannel() override { close(); }

  // Opens or creates the frame mutex and region; idempotent. A channel that
  // failed to open reads width, height and stamp 0 and never copies.
  bool open();
  void close();
  bool is_open() const { return region_.is_open(); }

  std::int32_t width() const override;
  std::int32_t height() const override;
  std::uint64_t stamp() const override;
  bool copyPixels(void* dst, std::size_t size) override;

 private:
  std::uint32_t read_word(std::size_t offset) const;

  SharedRegion region_;
};

}  // namespace vcam::camera
