#pragma once
#include <cstdint>
#include <string>

#include "dui/core/control.h"

namespace vcam::dui {

class ComboPopup;
class ListBox;

// Element "ComboBox": a text field whose list drops down in a popup window
// (made by the platform at first use). Pressing it opens the popup and runs
// the popup's loop; choosing a row closes it, takes the row's text and raises
// ValueChange (Direct). Destroying the combo box closes a popup still open.
class ComboBox : public Control {
 public:
  ComboBox();
  ~ComboBox() override;

  // The style named by "style", else "combobox.xml".
  void Paint(Painter& painter, const Rect& rect, const Rect& clip) override;

  // The list in the popup, null where the platform makes no popup.
  ListBox* list();
  // Appends a row; null without a popup.
  Control* AddItem(std::u16string text);
  std::int32_t item_count();

  // Opens the popup below the combo box (above near the screen bottom) and
  // returns when it closed. Nothing without items, while open or when detached.
  void DropDown();
  bool dropped() const { return dropped_; }
  // Where the last drop-down opened.
  bool opened_below() const { return opened_below_; }

  // The popup's window went away (the popup calls this).
  void PopupGone(ComboPopup* popup);
  ComboPopup* popup() const { return popup_; }

 private:
  static void OnLButtonDown(void* context, Control* sender, EventArgs& args);
  static void OnListNotify(void* context, Control* sender, EventArgs& args);
  ComboPopup* Popup();

  ComboPopup* popup_ = nullptr;
  bool dropped_ = false;
  bool opened_below_ = true;
  // Something was chosen while the popup was open.
  bool chosen_ = false;
};

}  // namespace vcam::dui
