#pragma once
// What the camera's output pin offers: ten fixed sizes of uncompressed 24-bit
// RGB at 15 frames per second, with the figures of their media types and
// stream capabilities. No Windows types here; the pin turns these figures
// into AM_MEDIA_TYPE and VIDEO_STREAM_CONFIG_CAPS.
#include <array>
#include <cstdint>
#include <optional>

namespace vcam::camera {

struct FrameSize {
  std::int32_t width;
  std::int32_t height;
  friend bool operator==(const FrameSize&, const FrameSize&) = default;
};

inline constexpr std::array<FrameSize, 10> kFormatTable = {{
    {640, 480},
    {800, 600},
    {480, 360},
    {320, 240},
    {160, 120},
    {640, 360},
    {800, 448},
    {960, 544},
    {1280, 720},
    {1920, 1080},
}};

inline constexpr int kFormatCount = static_cast<int>(kFormatTable.size());
inline constexpr std::int32_t kOutputFramesPerSecond = 15;
// The configured size of a new pin: table entry 0.
inline constexpr int kDefaultFormatIndex = 0;

// The figures of the media type for a table entry at `rate` frames per second.
struct VideoTypeFigures {
  std::int32_t width;
  std::int32_t height;                // positive: bottom-up
  std::uint32_t sample_size;          // lSampleSize and biSizeImage: DIB stride x height
  std::uint32_t bit_rate;             // dwBitRate
  std::int64_t avg_time_per_frame;    // 100-ns units
};
VideoTypeFigures video_type_figures(FrameSize size, std::int32_t rate);

// The figures of the capability record for a table entry.
struct CapabilityFigures {
  FrameSize input_size;               // also min/max cropping and output sizes
  std::int32_t granularity;           // crop granularity and alignment, output granularity
  std::int64_t min_frame_interval;    // 30 frames per second
  std::int64_t max_frame_interval;    // `rate` frames per second
  std::int32_t min_bits_per_second;
  std::int32_t max_bits_per_second;
};
CapabilityFigures capability_figures(FrameSize size, std::int32_t rate);

// The index of the table entry with exactly this width and height.
std::optional<int> find_format(std::int32_t width, std::int32_t height);

}  // namespace vcam::camera
