#pragma once
// A control with children. A panel owns its children: destroying it destroys
// them first, first to last.
#include <cstdint>
#include <memory>

#include "dui/core/control.h"

namespace vcam::dui {

class Panel : public Control {
 public:
  Panel();
  ~Panel() override;

  void Paint(Painter& painter, const Rect& rect, const Rect& clip) override;
  Control* HitTest(std::int32_t x, std::int32_t y) override;
  void UpdateIsVisible() override;

  // Appends at the end; attaches the child when the panel is attached.
  Control* AddChild(std::unique_ptr<Control> child);
  // Detaches (when attached) and unlinks; hands the child back, or null when it
  // is not a child of this panel.
  [[nodiscard]] std::unique_ptr<Control> RemoveChild(Control* child);

  Control* first_child() const { return first_; }
  Control* last_child() const { return last_; }
  std::int32_t child_count() const { return count_; }

 protected:
  // Paints a visible child at its place within `rect` (this panel's), clipped
  // to its own rectangle and `bound`; nothing when that leaves no area.
  static void PaintChild(Painter& painter, Control& child, const Rect& rect, const Rect& bound);

 private:
  friend class Control;
  // Takes the child out of the list without events; no-op when it is not in it.
  void Unlink(Control* child);

  Control* first_ = nullptr;
  Control* last_ = nullptr;
  std::int32_t count_ = 0;
};

}  // namespace vcam::dui
