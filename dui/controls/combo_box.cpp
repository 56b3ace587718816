#include "dui/controls/combo_box.h"

#include "dui/controls/combo_popup.h"
#include "dui/controls/list_box.h"
#include "dui/core/attribute_names.h"
#include "dui/core/control_host.h"
#include "dui/runtime/ui_runtime.h"

namespace vcam::dui {

ComboBox::ComboBox() {
  SetFlag(ControlFlags::ButtonMark | ControlFlags::RedrawOnState, true);
  AddHandler(EventKind::LButtonDown, this, &OnLButtonDown);
}

ComboBox::~ComboBox() {
  if (popup_) {
    ComboPopup* popup = popup_;
    popup_ = nullptr;
    if (ListBox* l = popup->list()) l->RemoveHandler(EventKind::Notify, this, &OnListNotify);
    popup->OwnerGone();
  }
  BeginDestroy();
}

void ComboBox::Paint(Painter& painter, const Rect& rect, const Rect&) {
  UiRuntime* runtime = UiRuntime::Instance();
  if (!runtime) return;
  const std::u16string* name = FindString(attr::style);
  if (Style* style = runtime->GetStyle(name ? std::u16string_view(*name) : u"combobox.xml"))
    style->Draw(painter, rect, *this);
}

ComboPopup* ComboBox::Popup() {
  if (popup_) return popup_;
  UiRuntime* runtime = UiRuntime::Instance();
  if (!runtime) return nullptr;
  popup_ = runtime->platform().CreateComboPopup(*this);
  if (popup_ && popup_->list()) popup_->list()->AddHandler(EventKind::Notify, this, &OnListNotify);
  return popup_;
}

ListBox* ComboBox::list() {
  ComboPopup* popup = Popup();
  return popup ? popup->list() : nullptr;
}

Control* ComboBox::AddItem(std::u16string text) {
  ListBox* l = list();
  return l ? l->AddItem(std::move(text)) : nullptr;
}

std::int32_t ComboBox::item_count() {
  ListBox* l = list();
  return l ? l->item_count() : 0;
}

void ComboBox::PopupGone(ComboPopup* popup) {
  if (popup_ == popup) popup_ = nullptr;
}

void ComboBox::DropDown() {
  ControlHost* host = window();
  ComboPopup* popup = Popup();
  ListBox* l = popup ? popup->list() : nullptr;
  // An empty list would drop a bare 4-pixel frame.
  if (!host || !l || dropped_ || l->item_count() == 0) return;
  // 1. Where: below, or above near the bottom of the screen.
  const Rect client = GetWindowRect();
  const Point at = host->ClientToScreen({client.left, client.top});
  const ComboDropPlacement placement = ComboPlacement::Place(
      {at.x, at.y, at.x + client.width(), at.y + client.height()}, l->item_count(), popup->ScreenHeight());
  opened_below_ = placement.below;
  // 2. The highlight is cleared while open; a choice replaces it.
  const std::int32_t remembered = l->IndexOf(l->selected());
  l->Select(nullptr);
  chosen_ = false;
  dropped_ = true;
  // 3-5. The popup shows itself, runs its loop and hides again.
  if (!popup->Run(placement)) return;  // this combo box (or its popup) is gone
  dropped_ = false;
  if (!chosen_ && !l->selected()) l->Select(l->item_at(remembered));
}

void ComboBox::OnLButtonDown(void* context, Control*, EventArgs& args) {
  args.handled = 1;
  static_cast<ComboBox*>(context)->DropDown();
}

void ComboBox::OnListNotify(void* context, Control*, EventArgs&) {
  auto* combo = static_cast<ComboBox*>(context);
  ComboPopup* popup = combo->popup_;
  if (!popup) return;
  combo->chosen_ = true;
  // The loop ends after this message; the handlers below may destroy the combo box.
  popup->EndLoop();
  combo->SetText(popup->list()->GetSelectedText());
  EventArgs changed{EventKind::ValueChange, Routing::Direct, 0, 0, 0};
  combo->RaiseEvent(changed);
}

}  // namespace vcam::dui
