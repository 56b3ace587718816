#pragma once
// One line per captured sample: what a test or a person reads back.
//   sample 3 start=1999998 stop=2666664 media=3-4 size=921600 fnv1a=1b2c3d4e
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vcam::capture {

struct SampleRecord {
  std::int64_t index = 0;
  std::optional<std::int64_t> start, stop;              // 100-ns units, when the sample has times
  std::optional<std::int64_t> media_start, media_stop;  // when it has media times
  std::int64_t size = 0;                                // actual data length
  std::uint32_t checksum = 0;
};

// 32-bit FNV-1a of `size` bytes.
std::uint32_t fnv1a32(const std::uint8_t* data, std::size_t size);

std::string format_sample_line(const SampleRecord& record);

}  // namespace vcam::capture
