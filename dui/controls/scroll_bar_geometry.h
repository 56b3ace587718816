#pragma once
// Where the parts of a scroll bar lie, and which part a point is on. Pure
// arithmetic: the scroll bar control keeps the state and asks here. A
// horizontal bar mirrors the vertical one (the up arrow is the left one).
#include <cstdint>

#include "dui/core/geometry.h"

namespace vcam::dui {

struct ScrollBarLayout {
  Rect up_arrow;
  Rect down_arrow;
  // Along the bar's axis: where the track between the arrows starts and how long it is (never negative).
  std::int32_t track_start = 0;
  std::int32_t track_length = 0;
};

class ScrollBarGeometry {
 public:
  // The shortest thumb; a track shorter than this gets a thumb as long as the track.
  static constexpr std::int32_t kMinThumb = 20;

  // Arrows of the given image sizes at the two ends of a bar of `bar` size,
  // centred across the axis; the track is what lies between them.
  static ScrollBarLayout Arrange(Size bar, Size up_image, Size down_image, bool vertical);

  // max (20, page × track / range + 1), never longer than the track; the whole
  // track when range is not positive.
  static std::int32_t ThumbLength(std::int32_t range, std::int32_t page, std::int32_t track);
  // Offset of the thumb from the track start: (track − length) × position / (range − page), 0 when range ≤ page.
  static std::int32_t ThumbOffset(std::int32_t range, std::int32_t page, std::int32_t position, std::int32_t track);
  // The thumb rectangle, spanning the bar across the axis.
  static Rect Thumb(const ScrollBarLayout& layout, Size bar, bool vertical, std::int32_t range, std::int32_t page,
                    std::int32_t position);

  // 0 when disabled (page ≥ range), else p clamped to [0, range − page].
  static std::int32_t Clamp(std::int32_t range, std::int32_t page, std::int32_t p);
  // The position a thumb starting `thumb_offset` after the track start stands
  // for: (range − page) × offset / (track − thumb length). False when the
  // thumb cannot move (divisor not positive); the result is not clamped.
  static bool PositionFromThumb(std::int32_t range, std::int32_t page, std::int32_t thumb_offset,
                                std::int32_t track, std::int32_t thumb_length, std::int32_t* position);

  // The ScrollBarPart under (x, y): up arrow, down arrow, thumb, the track
  // before the thumb, the track after it, else None. `thumb` empty: no thumb part.
  static std::uint32_t HitPart(const ScrollBarLayout& layout, const Rect& thumb, Size bar, bool vertical,
                               std::int32_t x, std::int32_t y);
};

}  // namespace vcam::dui
