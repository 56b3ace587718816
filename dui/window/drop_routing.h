#pragma once
// Which control a drag over the window is for, and the drag events it gets:
// the nearest control with AllowDrop under the cursor takes a drag when a
// DragEnter handler sets handled, and keeps the offered effect only while a
// DragOver handler sets handled.
#include <cstdint>

#include "dui/core/control.h"

namespace vcam::dui {

// param1 of DragEnter, DragOver, DragLeave and Drop points to this record.
// A handler may change *effect (DROPEFFECT_* bits).
struct DropEventRecord {
  std::uint32_t* effect;
  Point cursor;  // client coordinates
};

class DropRouting {
 public:
  static constexpr std::uint32_t kEffectNone = 0;

  // `root` may be null (no tree): the drag is refused. `cursor` in client coordinates.
  void Enter(Control* root, Point cursor, std::uint32_t* effect);
  void Over(Control* root, Point cursor, std::uint32_t* effect);
  void Leave(Point cursor);
  void Drop(Point cursor, std::uint32_t* effect);

  Control* target() const { return target_; }

  // The nearest control with AllowDrop at `cursor`: the hit control or an ancestor.
  static Control* FindDropControl(Control* root, Point cursor);

 private:
  // Raises a drag event; true when a handler set handled.
  static bool Raise(Control* c, std::int32_t kind, Point cursor, std::uint32_t* effect);
  // Offers the drag to `c`; the target becomes `c` when it takes it, else none.
  void Offer(Control* c, Point cursor, std::uint32_t* effect);

  Control* target_ = nullptr;
};

}  // namespace vcam::dui
