#pragma once
// Where the window host puts its window and its tooltip on the screen.
#include <cstddef>
#include <cstdint>

#include "dui/core/geometry.h"

namespace vcam::dui {

// Centred horizontally; vertically 100 px higher than centred, so a dialog
// sits above the middle of the screen.
Point CenteredOrigin(Size screen, Size window);

// The tooltip opens 19 px below the cursor; text of `length` characters is
// reckoned 14 px a character plus 2, and pulled left to end at the screen's
// right edge when it would run past it.
Point TooltipOrigin(Point cursor, std::size_t length, std::int32_t screen_width);

}  // namespace vcam::dui
