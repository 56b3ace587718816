#include "dui/window/drop_routing.h"

#include "dui/core/panel.h"

namespace vcam::dui {

Control* DropRouting::FindDropControl(Control* root, Point cursor) {
  if (!root || !root->IsLive()) return nullptr;
  Control* c = root->HitTest(cursor.x, cursor.y);
  while (c && !c->HasFlag(ControlFlags::AllowDrop)) c = c->parent();
  return c;
}

bool DropRouting::Raise(Control* c, std::int32_t kind, Point cursor, std::uint32_t* effect) {
  DropEventRecord record{effect, cursor};
  EventArgs args{kind, Routing::Direct, reinterpret_cast<std::intptr_t>(&record), 0, 0};
  c->RaiseEvent(args);
  return args.handled != 0;
}

void DropRouting::Offer(Control* c, Point cursor, std::uint32_t* effect) {
  target_ = nullptr;
  if (c && Raise(c, EventKind::DragEnter, cursor, effect))
    target_ = c;
  else
    *effect = kEffectNone;
}

void DropRouting::Enter(Control* root, Point cursor, std::uint32_t* effect) {
  Offer(FindDropControl(root, cursor), cursor, effect);
}

void DropRouting::Over(Control* root, Point cursor, std::uint32_t* effect) {
  Control* under = FindDropControl(root, cursor);
  if (under != target_) {
    if (target_) Raise(target_, EventKind::DragLeave, cursor, effect);
    Offer(under, cursor, effect);
  }
  if (!target_ || !Raise(target_, EventKind::DragOver, cursor, effect)) *effect = kEffectNone;
}

void DropRouting::Leave(Point cursor) {
  std::uint32_t none = kEffectNone;
  if (target_) Raise(target_, EventKind::DragLeave, cursor, &none);
  target_ = nullptr;
}

void DropRouting::Drop(Point cursor, std::uint32_t* effect) {
  if (target_)
    Raise(target_, EventKind::Drop, cursor, effect);
  else
    *effect = kEffectNone;
  target_ = nullptr;
}

}  // namespace vcam::dui
