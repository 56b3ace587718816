#pragma once
#include "dui/controls/scroll_panel.h"

namespace vcam::dui {

class StackPanel;

// Element "ListBox": a scroll panel whose content is a vertical StackPanel
// made at construction; the items are that stack panel's children.
class ListBox : public ScrollPanel {
 public:
  ListBox();

  StackPanel* items() const { return items_; }

 private:
  StackPanel* items_;
};

}  // namespace vcam::dui
