#pragma once
#include "dui/fields/setter_registry.h"
#include "dui/load/xml16.h"

namespace vcam::dui {

// Applies an element's attributes in document order: a registered setter sets
// its property; "visible", "enabled" and "transparent" set a control's flag
// when the value is exactly "1" and clear it otherwise; other names are
// ignored. A repeated attribute therefore keeps its last value.
void ApplyAttributes(const SetterRegistry& setters, const XmlElement& element, Object& target);

}  // namespace vcam::dui
