#pragma once
// The popup a combo box drops its list into: a framework window whose root is
// a Grid styled with the profile's drop-down style ("combobox_dropped.xml"
// in the launcher) holding one ListBox (margin 2, rows of
// 30 pixels). It runs its own loop while open, taking the mouse and keyboard
// messages of the thread's other windows, and closes on a choice, on a press
// outside it, when it stops being the active window, or on WM_QUIT.
#include <windows.h>

#include "dui/controls/combo_popup.h"
#include "dui/win/window_impl.h"

namespace vcam::dui {

class ComboBox;

class ComboHelperWnd : public WindowImpl, public ComboPopup {
 public:
  // Made hidden, owned by the combo box's window; null when no window was made.
  static ComboHelperWnd* Create(ComboBox& owner);

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

  // ComboPopup.
  ListBox* list() override { return list_; }
  std::int32_t ScreenHeight() const override;
  bool Run(const ComboDropPlacement& placement) override;
  bool running() const override { return running_; }
  void EndLoop() override;
  void OwnerGone() override;

 private:
  explicit ComboHelperWnd(ComboBox& owner);
  ~ComboHelperWnd() override;

  bool Alive(HWND hwnd) const;
  // Sends another window's input to the popup; false when the message ends
  // the loop instead (a press outside the popup), and is dropped.
  bool Redirect(MSG& msg) const;
  void Hide();

  ComboBox* owner_;
  ListBox* list_ = nullptr;
  bool end_ = false;
  bool running_ = false;
};

}  // namespace vcam::dui
