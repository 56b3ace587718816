#pragma once
// Layouts at the loader's nesting limit, for the tests that every recursive
// walk of a tree (load, attach, layout, paint, hit test, destroy) stays within
// the stack at that depth.
#include <string>
#include <string_view>

#include "dui/core/control.h"

namespace vcam::dui::testing {

// UTF-8 layout text `depth` elements deep: every layout panel kind in turn,
// each 100 x 100, and `leaf` (an element with its attributes) innermost.
std::string DeepLayout(int depth, std::string_view leaf);

// The element nesting of a tree: 1 for a control without children. Walks
// without recursion.
int TreeDepth(const Control& root);

}  // namespace vcam::dui::testing
