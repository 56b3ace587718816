#include "launcher/windows/control_swap.h"

#include <vector>

#include "dui/core/panel.h"

namespace vcam::launcher {

dui::Control* swap_control(dui::Control& old, std::unique_ptr<dui::Control> replacement) {
  dui::Panel* parent = old.parent();
  if (!replacement || !parent || !old.IsInChildList()) return nullptr;
  replacement->CopyPropertiesFrom(old);
  // Hover, press and focus belong to the window's tracking of the old control.
  constexpr std::uint32_t kTransient = dui::ControlFlags::Hover | dui::ControlFlags::Pressed | dui::ControlFlags::Focused;
  replacement->SetFlag(~0u, false);
  replacement->SetFlag(old.flags() & ~kTransient, true);
  replacement->SetClassName(old.class_name());

  // A panel only appends, so the siblings after the old control leave and
  // come back behind its replacement.
  std::vector<std::unique_ptr<dui::Control>> after;
  for (dui::Control* c = old.next(); c;) {
    dui::Control* following = c->next();
    after.push_back(parent->RemoveChild(c));
    c = following;
  }
  std::unique_ptr<dui::Control> gone = parent->RemoveChild(&old);
  gone.reset();
  dui::Control* placed = parent->AddChild(std::move(replacement));
  for (auto& c : after) parent->AddChild(std::move(c));
  return placed;
}

}  // namespace vcam::launcher
