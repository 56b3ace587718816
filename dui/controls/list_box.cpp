#include "dui/controls/list_box.h"

#include <memory>

#include "dui/controls/list_box_item.h"
#include "dui/core/attribute_names.h"
#include "dui/layout/stack_panel.h"

namespace vcam::dui {

namespace {

constexpr Rect kItemPadding{8, 0, 8, 0};

}  // namespace

ListBox::ListBox() {
  items_ = static_cast<StackPanel*>(AddChild(std::make_unique<StackPanel>()));
  AddHandler(EventKind::KeyDown, this, &OnKeyDown);
  AddHandler(EventKind::LButtonDown, this, &OnItemPress);
  AddHandler(EventKind::LButtonUp, this, &OnItemRelease);
}

ListBox::~ListBox() {
  // The items go with the panel after this body: their destroy handlers must
  // not reach back into a list that is already gone.
  Track(selected_, nullptr);
  Track(pressed_, nullptr);
  BeginDestroy();
}

void ListBox::Track(Control*& slot, Control* item) {
  if (slot == item) return;
  // One registration per distinct tracked item: selected and pressed may be the same row.
  auto watched_elsewhere = [&](Control* c) { return c && (&slot == &selected_ ? pressed_ : selected_) == c; };
  if (slot && !watched_elsewhere(slot)) slot->RemoveDestroyHandler(this, &OnItemDestroyed);
  if (item && !watched_elsewhere(item)) item->AddDestroyHandler(this, &OnItemDestroyed);
  slot = item;
}

void ListBox::OnItemDestroyed(void* context, Control* item) {
  auto* list = static_cast<ListBox*>(context);
  if (list->selected_ == item) list->selected_ = nullptr;
  if (list->pressed_ == item) list->pressed_ = nullptr;
}

Control* ListBox::AddItem(std::u16string text) {
  auto item = std::make_unique<ListBoxItem>();
  item->SetString(attr::text, std::move(text));
  item->SetValue(attr::height, step());
  item->SetRect(attr::padding, kItemPadding);
  return items_->AddChild(std::move(item));
}

std::int32_t ListBox::item_count() const { return items_->child_count(); }

Control* ListBox::item_at(std::int32_t index) const {
  if (index < 0) return nullptr;
  Control* c = items_->first_child();
  for (; c && index > 0; --index) c = c->next();
  return c;
}

std::int32_t ListBox::IndexOf(const Control* item) const {
  std::int32_t index = 0;
  for (Control* c = items_->first_child(); c; c = c->next(), ++index)
    if (c == item) return index;
  return -1;
}

void ListBox::Select(Control* item) {
  if (item && item->parent() != items_) return;
  if (item == selected_) return;
  if (selected_) selected_->SetFlag(ControlFlags::Checked, false);
  Track(selected_, item);
  if (item) item->SetFlag(ControlFlags::Checked, true);
  Invalidate();
}

std::u16string ListBox::GetSelectedText() const {
  const std::u16string* text = selected_ ? selected_->FindString(attr::text) : nullptr;
  return text ? *text : std::u16string();
}

void ListBox::ScrollIntoView(const Control* item) {
  if (!item || item->parent() != items_) return;
  const std::int32_t position = scroll_position();
  const std::int32_t height = rect().height();
  // Item rectangles are in content coordinates, which start at the content's top.
  const std::int32_t top = item->rect().top + content_rect().top;
  const std::int32_t bottom = item->rect().bottom + content_rect().top;
  if (top < position)
    ScrollTo(top);
  else if (bottom > position + height)
    ScrollTo(bottom - height);
}

void ListBox::OnKeyDown(void* context, Control*, EventArgs& args) {
  auto* list = static_cast<ListBox*>(context);
  Control* current = list->selected_;
  if (!current) return;
  Control* target = nullptr;
  if (args.param1 == kKeyUp) target = current->previous();
  if (args.param1 == kKeyDown) target = current->next();
  if (!target) return;
  args.handled = 1;
  list->Select(target);
  list->ScrollIntoView(target);
}

Control* ListBox::ItemAtCursor() const {
  const Point p = items_->GetCursorPosition();
  Control* hit = items_->HitTest(p.x, p.y);
  while (hit && hit->parent() != items_) hit = hit->parent();
  return hit;
}

void ListBox::OnItemPress(void* context, Control*, EventArgs&) {
  auto* list = static_cast<ListBox*>(context);
  list->Track(list->pressed_, list->ItemAtCursor());
}

void ListBox::OnItemRelease(void* context, Control*, EventArgs& args) {
  auto* list = static_cast<ListBox*>(context);
  Control* pressed = list->pressed_;
  list->Track(list->pressed_, nullptr);
  Control* item = list->ItemAtCursor();
  if (!item || item != pressed) return;
  args.handled = 1;
  list->Select(item);
  // Last: a combo box closes its popup on this, and the list may go with it.
  EventArgs chosen{EventKind::Notify, Routing::Direct, list->IndexOf(item), 0, 0};
  list->RaiseEvent(chosen);
}

}  // namespace vcam::dui
