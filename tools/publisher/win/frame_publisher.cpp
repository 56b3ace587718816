#include "tools/publisher/win/frame_publisher.h"

#include <cstring>
#include <utility>

#include "camera/channel/frame_header.h"
#include "common/win/unique_handle.h"

namespace vcam::publisher {
FramePublisher::FramePublisher(camera::RegionNames names, DWORD wait_ms)
    : region_(std::move(names), camera::kFrameRegionSize, camera::SharedRegion::MutexLabel::WhenCreated),
      wait_ms_(wait_ms) {}

bool FramePublisher::open() { return region_.open(); }

bool FramePublisher::publish(const std::uint8_t* pixels, std::int32_t width, std::int32_t height,
                             std::uint64_t stamp) {
  const std::size_t bytes = camera::published_picture_bytes(width, height);
  if (!region_.is_open() || !pixels || bytes == 0) return false;
  const MutexLock lock(region_.mutex(), wait_ms_);
  if (!lock.owns()) return false;
  std::uint8_t* view = region_.view();
  std::memcpy(view + camera::kFrameWidthOffset, &width, 4);
  std::memcpy(view + camera::kFrameHeightOffset, &height, 4);
  std::memcpy(view + camera::kFrameHeaderSize, pixels, bytes);
  std::memcpy(view + camera::kFrameStampOffset, &stamp, 8);
  return true;
}

bool FramePublisher::withdraw() {
  if (!region_.is_open()) return false;
  const MutexLock lock(region_.mutex(), wait_ms_);
  if (!lock.owns()) return false;
  const std::int32_t zero = 0;
  std::memcpy(region_.view() + camera::kFrameWidthOffset, &zero, 4);
  return true;
}

}  // namespace vcam::publisher
