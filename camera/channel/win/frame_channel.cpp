#include "camera/channel/win/frame_channel.h"

#include <cstring>
#include <utility>

#include "camera/channel/frame_header.h"
#include "common/win/unique_handle.h"

namespace vcam::camera {

FrameChannel::FrameChannel(RegionNames names, LabelFunction label)
    : region_(std::move(names), kFrameRegionSize, SharedRegion::MutexLabel::WhenCreated, label) {}

bool FrameChannel::open() { return region_.open(); }

void FrameChannel::close() { region_.close(); }

std::uint32_t FrameChannel::read_word(std::size_t offset) const {
  if (!region_.is_open()) return 0;
  // The publisher writes the header without telling us: read each word once.
  return *reinterpret_cast<const volatile std::uint32_t*>(region_.view() + offset);
}

std::int32_t FrameChannel::width() const { return static_cast<std::int32_t>(read_word(kFrameWidthOffset)); }

std::int32_t FrameChannel::height() const { return static_cast<std::int32_t>(read_word(kFrameHeightOffset)); }

std::uint64_t FrameChannel::stamp() const {
  // Two halves read apart may mix two stamps; that is still "different".
  const std::uint64_t low = read_word(kFrameStampOffset);
  const std::uint64_t high = read_word(kFrameStampOffset + 4);
  return (high << 32) | low;
}

bool FrameChannel::copyPixels(void* dst, std::size_t size) {
  if (!region_.is_open() || !dst || size > kFramePixelAreaSize) return false;
  const MutexLock lock(region_.mutex(), kChannelLockTimeoutMs);
  if (!lock.owns()) return false;
  std::memcpy(dst, region_.view() + kFrameHeaderSize, size);
  return true;
}

}  // namespace vcam::camera
