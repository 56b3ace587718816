#include "dui/core/control_host.h"

#include "dui/core/control.h"

namespace vcam::dui {

void ControlHost::MapId(std::int32_t id, Control* control) {
  UnmapControl(control);
  auto [it, inserted] = ids_.try_emplace(id, control);
  if (!inserted) {
    keys_.erase(it->second);
    it->second = control;
  }
  keys_[control] = id;
}

void ControlHost::UnmapControl(const Control* control) {
  const auto key = keys_.find(control);
  if (key == keys_.end()) return;
  const auto it = ids_.find(key->second);
  if (it != ids_.end() && it->second == control) ids_.erase(it);
  keys_.erase(key);
}

Control* ControlHost::GetChild(std::int32_t id) const {
  const auto it = ids_.find(id);
  if (it == ids_.end() || !LiveControlSet::Contains(it->second)) return nullptr;
  return it->second->window() == this ? it->second : nullptr;
}

}  // namespace vcam::dui
