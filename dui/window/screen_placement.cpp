#include "dui/window/screen_placement.h"

namespace vcam::dui {

Point CenteredOrigin(Size screen, Size window) {
  return {(screen.cx - window.cx) / 2, (screen.cy - window.cy - 100) / 2};
}

Point TooltipOrigin(Point cursor, std::size_t length, std::int32_t screen_width) {
  // 64-bit so that a huge text cannot wrap the width around.
  const std::int64_t width = 14 * static_cast<std::int64_t>(length) + 2;
  std::int64_t x = cursor.x;
  if (x + width > screen_width) x = screen_width - width;
  return {static_cast<std::int32_t>(x), cursor.y + 19};
}

}  // namespace vcam::dui
