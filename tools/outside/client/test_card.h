#pragma once
// The client's test card: the publisher's test pattern (corner markers,
// colour bars, arrow) with a clock panel over its lower middle, an analogue
// face whose second hand sweeps with the milliseconds and the time in
// seven-segment digits, so that a camera preview shows at a glance that the
// pictures are live and in order.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vcam::client {

struct ClockTime {
  int hour = 0;  // 0..23
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

struct PixelRect {
  std::int32_t left, top, right, bottom;  // right and bottom exclusive
};

inline constexpr std::uint32_t kPanelColour = 0x101830;
inline constexpr std::uint32_t kFaceColour = 0xF0F0F0;
inline constexpr std::uint32_t kHourHandColour = 0x202020;
inline constexpr std::uint32_t kMinuteHandColour = 0x204080;
inline constexpr std::uint32_t kSecondHandColour = 0xD02020;
inline constexpr std::uint32_t kSegmentColour = 0x30E0E0;

// Where the panel lies: the middle three fifths of the width, from 58% to
// 98% of the height, clear of the corner markers.
PixelRect clock_panel_rect(std::int32_t width, std::int32_t height);
// The analogue face inside the panel: centre and radius.
struct FaceGeometry {
  std::int32_t cx, cy, radius;
};
FaceGeometry clock_face(std::int32_t width, std::int32_t height);

// Draws a width x height top-down BGRX picture (rows of width x 4 bytes). The
// pattern behind the panel is drawn once and kept; each call copies it and
// draws the panel for `time`. False (nothing drawn) for a size of 0 or a
// buffer smaller than the picture.
class TestCard {
 public:
  bool draw(std::uint8_t* pixels, std::size_t size, std::int32_t width, std::int32_t height, const ClockTime& time);

 private:
  std::vector<std::uint8_t> background_;
  std::int32_t width_ = 0, height_ = 0;
};

// The panel alone, over whatever the picture holds.
void draw_clock_panel(std::uint8_t* pixels, std::int32_t width, std::int32_t height, const ClockTime& time);

}  // namespace vcam::client
