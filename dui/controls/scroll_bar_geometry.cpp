#include "dui/controls/scroll_bar_geometry.h"

#include <algorithm>

#include "dui/style/scroll_bar_parts.h"

namespace vcam::dui {

ScrollBarLayout ScrollBarGeometry::Arrange(Size bar, Size up, Size down, bool vertical) {
  ScrollBarLayout l;
  if (vertical) {
    const std::int32_t ux = (bar.cx - up.cx) / 2, dx = (bar.cx - down.cx) / 2;
    l.up_arrow = {ux, 0, ux + up.cx, up.cy};
    l.down_arrow = {dx, bar.cy - down.cy, dx + down.cx, bar.cy};
    l.track_start = l.up_arrow.bottom;
    l.track_length = std::max(0, l.down_arrow.top - l.up_arrow.bottom);
  } else {
    const std::int32_t uy = (bar.cy - up.cy) / 2, dy = (bar.cy - down.cy) / 2;
    l.up_arrow = {0, uy, up.cx, uy + up.cy};
    l.down_arrow = {bar.cx - down.cx, dy, bar.cx, dy + down.cy};
    l.track_start = l.up_arrow.right;
    l.track_length = std::max(0, l.down_arrow.left - l.up_arrow.right);
  }
  return l;
}

std::int32_t ScrollBarGeometry::ThumbLength(std::int32_t range, std::int32_t page, std::int32_t track) {
  if (track <= 0) return 0;
  if (range <= 0) return track;
  // 64-bit: a long list times a tall track overflows 32 bits.
  const std::int64_t proportional = static_cast<std::int64_t>(std::max(page, 0)) * track / range + 1;
  return static_cast<std::int32_t>(std::min<std::int64_t>(std::max<std::int64_t>(kMinThumb, proportional), track));
}

std::int32_t ScrollBarGeometry::ThumbOffset(std::int32_t range, std::int32_t page, std::int32_t position,
                                            std::int32_t track) {
  const std::int64_t scrollable = static_cast<std::int64_t>(range) - page;
  if (scrollable <= 0) return 0;
  const std::int64_t free = track - ThumbLength(range, page, track);
  return static_cast<std::int32_t>(free * std::clamp<std::int64_t>(position, 0, scrollable) / scrollable);
}

Rect ScrollBarGeometry::Thumb(const ScrollBarLayout& l, Size bar, bool vertical, std::int32_t range,
                              std::int32_t page, std::int32_t position) {
  const std::int32_t length = ThumbLength(range, page, l.track_length);
  if (length <= 0) return {};
  const std::int32_t start = l.track_start + ThumbOffset(range, page, position, l.track_length);
  return vertical ? Rect{0, start, bar.cx, start + length} : Rect{start, 0, start + length, bar.cy};
}

std::int32_t ScrollBarGeometry::Clamp(std::int32_t range, std::int32_t page, std::int32_t p) {
  if (page >= range) return 0;
  return std::clamp(p, 0, range - page);
}

bool ScrollBarGeometry::PositionFromThumb(std::int32_t range, std::int32_t page, std::int32_t thumb_offset,
                                          std::int32_t track, std::int32_t thumb_length, std::int32_t* position) {
  const std::int64_t divisor = static_cast<std::int64_t>(track) - thumb_length;
  if (divisor <= 0) return false;
  *position = static_cast<std::int32_t>((static_cast<std::int64_t>(range) - page) * thumb_offset / divisor);
  return true;
}

std::uint32_t ScrollBarGeometry::HitPart(const ScrollBarLayout& l, const Rect& thumb, Size bar, bool vertical,
                                         std::int32_t x, std::int32_t y) {
  if (l.up_arrow.contains(x, y)) return ScrollBarPart::UpArrow;
  if (l.down_arrow.contains(x, y)) return ScrollBarPart::DownArrow;
  if (thumb.contains(x, y)) return ScrollBarPart::Thumb;
  if (x < 0 || y < 0 || x >= bar.cx || y >= bar.cy) return ScrollBarPart::None;
  const std::int32_t along = vertical ? y : x;
  const std::int32_t track_end = l.track_start + l.track_length;
  if (along < l.track_start || along >= track_end) return ScrollBarPart::None;
  if (thumb.empty()) return ScrollBarPart::None;
  const std::int32_t thumb_start = vertical ? thumb.top : thumb.left;
  return along < thumb_start ? ScrollBarPart::PageUp : ScrollBarPart::PageDown;
}

}  // namespace vcam::dui
