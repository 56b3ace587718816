#pragma once
// How far a dialog's drop shadow reaches outside the dialog. The shadow
// artwork ("proxywindow.xml") is drawn for exactly these margins.
#include "dui/core/geometry.h"

namespace vcam::launcher {

struct shadow_margins {
  static constexpr std::int32_t left = 20;
  static constexpr std::int32_t top = 14;
  static constexpr std::int32_t right = 16;
  static constexpr std::int32_t bottom = 21;
};

// The shadow window's rectangle for a dialog at `window` (screen coordinates).
constexpr dui::Rect shadow_rect_for(const dui::Rect& window) {
  return {window.left - shadow_margins::left, window.top - shadow_margins::top, window.right + shadow_margins::right,
          window.bottom + shadow_margins::bottom};
}

}  // namespace vcam::launcher
