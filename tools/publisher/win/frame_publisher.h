#pragma once
// The companion application's side of the frame channel, as the test
// publisher plays it: header and pixels written under the frame mutex, the
// stamp last.
#include <cstddef>
#include <cstdint>

#include "camera/channel/channel_names.h"
#include "camera/channel/win/shared_region.h"

namespace vcam::publisher {

class FramePublisher {
 public:
  // A publisher is not under the loader lock, so by default it may wait
  // longer than readers; one that must keep its pace passes a shorter wait.
  explicit FramePublisher(camera::RegionNames names = camera::kFrameChannelNames, DWORD wait_ms = 1000);

  bool open();
  // Writes width, height and width x |height| x 4 bytes of pixels, then the
  // stamp. False when the picture does not fit or the mutex stays busy.
  bool publish(const std::uint8_t* pixels, std::int32_t width, std::int32_t height, std::uint64_t stamp);
  // Sets the width to 0: readers show the placeholder at once.
  bool withdraw();

 private:
  camera::SharedRegion region_;
  DWORD wait_ms_;
};

}  // namespace vcam::publisher
