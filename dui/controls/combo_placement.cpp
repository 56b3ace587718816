#include "dui/controls/combo_placement.h"

#include <algorithm>

namespace vcam::dui {

ComboDropPlacement ComboPlacement::Place(const Rect& combo, std::int32_t item_count, std::int32_t screen_height) {
  ComboDropPlacement p;
  const std::int32_t count = std::max(item_count, 0);
  p.rows = std::min(count, kMaxRows);
  const std::int32_t y = combo.top;
  const std::int32_t rows_height = p.rows * kRowHeight;
  // The 8 pixels keep the popup clear of a taskbar edge.
  p.below = y + rows_height + combo.height() + 8 < screen_height;
  // 4: the list's 2-pixel margin above and below the rows.
  const std::int32_t height = static_cast<std::int32_t>(
      std::min<std::int64_t>(static_cast<std::int64_t>(count) * kRowHeight + 4, kMaxHeight));
  const std::int32_t top = p.below ? y + combo.height() - 1 : y - rows_height - 1;
  p.popup = {combo.left, top, combo.right, top + height};
  return p;
}

}  // namespace vcam::dui
