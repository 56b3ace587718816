#include "dui/load/attribute_applier.h"

#include "dui/core/attribute_names.h"
#include "dui/core/control.h"

namespace vcam::dui {

namespace {

std::uint32_t FlagAttribute(std::u16string_view name) {
  if (name == attr::visible) return ControlFlags::Visible;
  if (name == attr::enabled) return ControlFlags::Enabled;
  if (name == attr::transparent) return ControlFlags::HitTransparent;
  return 0;
}

}  // namespace

void ApplyAttributes(const SetterRegistry& setters, const XmlElement& element, Object& target) {
  Control* control = dynamic_cast<Control*>(&target);
  for (const XmlAttribute* a = element.first_attribute(); a; a = a->next_attribute()) {
    const std::u16string_view name = NameOf(*a);
    if (const duiField::ISetter* setter = setters.Find(name)) {
      setter->Set(target, ValueOf(*a));
    } else if (const std::uint32_t flag = FlagAttribute(name); flag && control) {
      control->SetFlag(flag, ValueOf(*a) == u"1");
    }
  }
}

}  // namespace vcam::dui
