#include "tools/capture/sample_line.h"

#include <cinttypes>
#include <cstdio>

namespace vcam::capture {

std::uint32_t fnv1a32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < size; ++i) {
    hash ^= data[i];
    hash *= 16777619u;
  }
  return hash;
}

std::string format_sample_line(const SampleRecord& r) {
  char times[64] = "start=- stop=-";
  if (r.start && r.stop)
    std::snprintf(times, sizeof times, "start=%" PRId64 " stop=%" PRId64, *r.start, *r.stop);
  char media[64] = "media=-";
  if (r.media_start && r.media_stop)
    std::snprintf(media, sizeof media, "media=%" PRId64 "-%" PRId64, *r.media_start, *r.media_stop);
  char line[256];
  std::snprintf(line, sizeof line, "sample %" PRId64 " %s %s size=%" PRId64 " fnv1a=%08" PRIx32, r.index, times,
                media, r.size, r.checksum);
  return line;
}

}  // namespace vcam::capture
