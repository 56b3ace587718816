#include "dui/core/control_host.h"

#include "dui/core/control.h"

namespace vcam::dui {

void ControlHost::MapId(std::int32_t id, Control* control) { ids_[id] = control; }

Control* ControlHost::GetChild(std::int32_t id) const {
  const auto it = ids_.find(id);
  if (it == ids_.end() || !LiveControlSet::Contains(it->second)) return nullptr;
  return it->second->window() == this ? it->second : nullptr;
}

}  // namespace vcam::dui
