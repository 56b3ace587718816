#pragma once
// Names and sizes of the two shared regions and their mutexes. The names have
// no namespace prefix, so they live in the caller's session.
#include <cstddef>
#include <cstdint>
#include <string>

#include "camera/channel/frame_header.h"

namespace vcam::camera {

struct RegionNames {
  std::u16string mutex;
  std::u16string region;
};

inline const RegionNames kFrameChannelNames{u"52846332-DD74-40E3-A3FD-9C27D238A8B3",
                                            u"D5D0D7E8-B9C2-45BD-97BA-5C25B184387C"};
inline const RegionNames kConsumerListNames{u"B225A8E1-72D4-4ED6-834F-55BD8E70E63A",
                                            u"4DC1097A-58F5-40F4-AD49-F77C1C1B9858"};

inline constexpr std::size_t kListRegionSize = 4096;
inline constexpr std::size_t kListCapacity = kListRegionSize / sizeof(char16_t);  // units, NUL included
inline constexpr std::size_t kHostPathCapacity = 512;                           // units, NUL included
// The list is UTF-16 text on every bitness: 2-byte units, no pointers inside.
static_assert(sizeof(char16_t) == 2 && kListCapacity == 2048);

// Every wait on the two mutexes: they are also taken under the loader lock.
inline constexpr std::uint32_t kChannelLockTimeoutMs = 100;

}  // namespace vcam::camera
