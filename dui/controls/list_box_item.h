#pragma once
#include "dui/controls/label.h"

namespace vcam::dui {

// A row that ListBox::AddItem makes: its "text" as a label, over the style
// named by "style" when it has one; without a style, the selected row (Checked)
// and the row under the mouse get a plain highlight. Unlike a label it is hit,
// so that hover and presses reach the list through it.
class ListBoxItem : public Label {
 public:
  static constexpr std::uint32_t kSelectedColour = 0xE0C8A0;  // COLORREF (BGR)
  static constexpr std::uint32_t kHoverColour = 0xF5EBDC;

  ListBoxItem();

  void Paint(Painter& painter, const Rect& rect, const Rect& clip) override;
};

}  // namespace vcam::dui
