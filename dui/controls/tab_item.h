#pragma once
#include <memory>

#include "dui/controls/button.h"

namespace vcam::dui {

// Element "TabItem": a header button that owns one page (the only child
// element of its layout element). The page is not a child of the item: while
// the item is attached, its parent (the tab control) is the page's logical
// parent and shows the page while the item is Checked. Pressing an item that
// is not Checked selects it.
class TabItem : public Button {
 public:
  TabItem();
  ~TabItem() override;

  Control* page() const { return page_.get(); }
  // Replaces (and destroys) the page; an attached item attaches the new one.
  void SetPage(std::unique_ptr<Control> page);

 private:
  void AttachPage();
  void DetachPage();

  static void SelectOnPress(void* context, Control* sender, EventArgs& args);
  static void ShowPageWhenChecked(void* context, Control* sender, EventArgs& args);
  static void OnAttached(void* context, Control* sender, EventArgs& args);
  static void OnDetached(void* context, Control* sender, EventArgs& args);

  std::unique_ptr<Control> page_;
};

}  // namespace vcam::dui
