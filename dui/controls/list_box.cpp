#include "dui/controls/list_box.h"

#include <memory>

#include "dui/layout/stack_panel.h"

namespace vcam::dui {

ListBox::ListBox() {
  items_ = static_cast<StackPanel*>(AddChild(std::make_unique<StackPanel>()));
}

}  // namespace vcam::dui
