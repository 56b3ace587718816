#include "dui/controls/tab_item.h"

#include <utility>

#include "dui/controls/tab_control.h"

namespace vcam::dui {

TabItem::TabItem() {
  SetFlag(ControlFlags::CaptureOnPress, false);
  SetFlag(ControlFlags::TabItemMark, true);
  AddHandler(EventKind::LButtonDown, nullptr, &SelectOnPress);
  AddHandler(EventKind::ValueChange, nullptr, &ShowPageWhenChecked);
  AddHandler(EventKind::Attached, nullptr, &OnAttached);
  AddHandler(EventKind::Detached, nullptr, &OnDetached);
}

TabItem::~TabItem() {
  // The window hears of the item before its page goes.
  BeginDestroy();
  page_.reset();
}

void TabItem::SetPage(std::unique_ptr<Control> page) {
  const bool attached = window() && IsLive();
  if (attached) DetachPage();
  page_ = std::move(page);
  if (attached) AttachPage();
}

void TabItem::AttachPage() {
  if (!page_) return;
  // Shown only for the selected item: an item attached again after a detach
  // may still be the selected one.
  page_->SetFlag(ControlFlags::Visible, HasFlag(ControlFlags::Checked));
  page_->SetLogicalParent(parent());
  page_->Attach(window());
}

void TabItem::DetachPage() {
  if (!page_) return;
  if (page_->IsLive()) page_->Detach();
  // The link goes with the attachment: the item may move to another parent or
  // outlive this one.
  page_->SetLogicalParent(nullptr);
}

void TabItem::SelectOnPress(void*, Control* sender, EventArgs& args) {
  if (sender->HasFlag(ControlFlags::Checked)) return;
  args.handled = 1;
  if (auto* tabs = dynamic_cast<TabControl*>(sender->parent())) tabs->Select(static_cast<TabItem*>(sender));
}

void TabItem::ShowPageWhenChecked(void*, Control* sender, EventArgs&) {
  if (Control* page = static_cast<TabItem*>(sender)->page())
    page->SetVisible(sender->HasFlag(ControlFlags::Checked));
}

void TabItem::OnAttached(void*, Control* sender, EventArgs&) { static_cast<TabItem*>(sender)->AttachPage(); }

void TabItem::OnDetached(void*, Control* sender, EventArgs&) { static_cast<TabItem*>(sender)->DetachPage(); }

}  // namespace vcam::dui
