#pragma once
#include <memory>

#include "dui/controls/button.h"

namespace vcam::dui {

// Element "TabItem": a header button that owns one page (the only child
// element of its layout element). The page is not a child of the item: the
// tab control is to show it (not built yet; see Control::SetLogicalParent).
class TabItem : public Button {
 public:
  TabItem();
  ~TabItem() override;

  Control* page() const { return page_.get(); }
  void SetPage(std::unique_ptr<Control> page);

 private:
  std::unique_ptr<Control> page_;
};

}  // namespace vcam::dui
