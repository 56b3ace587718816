#pragma once
// Where a combo box's popup goes: six rows at most, 30 pixels each, below the
// combo box unless that would run past the bottom of the screen.
#include <cstdint>

#include "dui/core/geometry.h"

namespace vcam::dui {

struct ComboDropPlacement {
  Rect popup;  // screen coordinates
  bool below = true;
  std::int32_t rows = 0;
};

class ComboPlacement {
 public:
  static constexpr std::int32_t kRowHeight = 30;
  static constexpr std::int32_t kMaxRows = 6;
  static constexpr std::int32_t kMaxHeight = 184;

  // `combo` is the combo box's rectangle on the screen.
  static ComboDropPlacement Place(const Rect& combo, std::int32_t item_count, std::int32_t screen_height);
};

}  // namespace vcam::dui
