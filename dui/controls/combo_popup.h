#pragma once
// The window a combo box drops its list into, as the combo box sees it. The
// platform makes it (Windows: ComboHelperWnd); it belongs to its window.
#include <cstdint>

#include "dui/controls/combo_placement.h"

namespace vcam::dui {

class ListBox;

class ComboPopup {
 public:
  // The list inside the popup; it lives as long as the popup.
  virtual ListBox* list() = 0;
  virtual std::int32_t ScreenHeight() const = 0;
  // Shows the popup at `placement`, runs its loop until EndLoop, deactivation
  // or WM_QUIT, and hides it. False when the popup or its combo box went away
  // meanwhile: the caller must not touch either then.
  virtual bool Run(const ComboDropPlacement& placement) = 0;
  virtual bool running() const = 0;
  // Ends the loop after the message being handled.
  virtual void EndLoop() = 0;
  // The combo box goes: forget it and close the popup's window.
  virtual void OwnerGone() = 0;

 protected:
  ~ComboPopup() = default;
};

}  // namespace vcam::dui
