#pragma once
// The class a control shows to the window script, which decides the methods
// its table gets beyond the common ones. Layout panels report "Panel"; the
// button family reports "Button" (so check boxes get setCheck / getCheck);
// every other element reports its own name.
#include <cstddef>
#include <string_view>

namespace vcam::uninstaller {

enum class ScriptClass : std::size_t {
  other,
  panel,
  button,
  text_box,
  edit,
  power_point,
  progress_bar,
  image,
  count,
};

inline constexpr std::size_t kScriptClassCount = static_cast<std::size_t>(ScriptClass::count);

// By the element name the control was built for (Control::class_name).
ScriptClass script_class_of(std::u16string_view element);

// "Panel", "Button", ...; "" for other.
const char* script_class_name(ScriptClass cls);

}  // namespace vcam::uninstaller
