#pragma once
#include <cstdint>
#include <string>

#include "dui/controls/scroll_panel.h"

namespace vcam::dui {

class StackPanel;

// Element "ListBox": a scroll panel whose content is a vertical StackPanel
// made at construction; the items are that stack panel's children and the
// selected one carries Checked. Up and Down move the selection (scrolling it
// into view). A row pressed and released with the mouse becomes the selection
// and the list raises Notify (Direct, param1 = the row's index) on itself.
class ListBox : public ScrollPanel {
 public:
  static constexpr std::int32_t kKeyUp = 38;
  static constexpr std::int32_t kKeyDown = 40;

  ListBox();
  ~ListBox() override;

  StackPanel* items() const { return items_; }
  // Appends a ListBoxItem showing `text`, "itemHeight" (30) high, with the
  // list's item padding; returns it. The list is laid out again by its owner.
  Control* AddItem(std::u16string text);
  std::int32_t item_count() const;
  // Null when out of range.
  Control* item_at(std::int32_t index) const;
  // -1 when `item` is not an item of this list.
  std::int32_t IndexOf(const Control* item) const;

  // The selected item, null when none.
  Control* selected() const { return selected_; }
  // Moves Checked from the old selection to `item` (null: no selection) and
  // invalidates; an item of another list selects nothing. Raises nothing.
  void Select(Control* item);
  // The "text" of the selected item, or empty.
  std::u16string GetSelectedText() const;
  // Scrolls the least distance that shows the whole item.
  void ScrollIntoView(const Control* item);

 private:
  static void OnKeyDown(void* context, Control* sender, EventArgs& args);
  static void OnItemPress(void* context, Control* sender, EventArgs& args);
  static void OnItemRelease(void* context, Control* sender, EventArgs& args);
  static void OnItemDestroyed(void* context, Control* item);
  // The item of this list under the cursor, null when none.
  Control* ItemAtCursor() const;
  void Track(Control*& slot, Control* item);

  StackPanel* items_;
  Control* selected_ = nullptr;
  // The row the left button went down on; choosing needs the release on it too.
  Control* pressed_ = nullptr;
};

}  // namespace vcam::dui
