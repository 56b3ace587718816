#pragma once
#include <cstdint>

#include "dui/core/control.h"

namespace vcam::dui {

// Element "TitleBar": pressing it drags the window (the system's move loop
// runs while the button is held).
class TitleBar : public Control {
 public:
  TitleBar();

  // SC_MOVE combined with the caption hit code, so the move follows the mouse.
  static constexpr std::uint32_t kMoveByCaption = 0xF012;

 private:
  static void BeginWindowDrag(void* context, Control* sender, EventArgs& args);
};

}  // namespace vcam::dui
