#pragma once
// Sizing a window from its layout root, and following the root when the
// window's client area changes.
#include <optional>

#include "dui/core/control.h"

namespace vcam::dui {

// The root's "initSize" wins; without it the root is measured in 1024 x 768
// and the window takes its desired size. The root is arranged at
// (0, 0, width, height) and the window size returned.
Size SizeRootForWindow(Control& root);

// Measures and arranges the root in a client area of `client` when its rect
// has another size. True when it did.
bool FitRootToClient(Control& root, Size client);

// The ellipse of the root's "roundCorner" attribute, when it has one.
std::optional<Size> RoundCorner(const Control& root);

}  // namespace vcam::dui
