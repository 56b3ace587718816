#include "uninstaller/bindings/control_class.h"

namespace vcam::uninstaller {

namespace {

struct ElementClass {
  std::u16string_view element;
  ScriptClass cls;
};

// "Panel" is what a container made in code reports.
constexpr ElementClass kElements[] = {
    {u"Panel", ScriptClass::panel},          {u"Canvas", ScriptClass::panel},
    {u"StackPanel", ScriptClass::panel},     {u"DockPanel", ScriptClass::panel},
    {u"Grid", ScriptClass::panel},           {u"Window", ScriptClass::panel},
    {u"WrapPanel", ScriptClass::panel},      {u"ScrollPanel", ScriptClass::panel},
    {u"Button", ScriptClass::button},        {u"CheckBox", ScriptClass::button},
    {u"RadioButton", ScriptClass::button},   {u"ToggleButton", ScriptClass::button},
    {u"IconButton", ScriptClass::button},    {u"ToggleIconButton", ScriptClass::button},
    {u"ImageButton", ScriptClass::button},   {u"TextBox", ScriptClass::text_box},
    {u"Edit", ScriptClass::edit},            {u"PowerPoint", ScriptClass::power_point},
    {u"ProgressBar", ScriptClass::progress_bar}, {u"Image", ScriptClass::image},
};

}  // namespace

ScriptClass script_class_of(std::u16string_view element) {
  for (const ElementClass& e : kElements)
    if (e.element == element) return e.cls;
  return ScriptClass::other;
}

const char* script_class_name(ScriptClass cls) {
  switch (cls) {
    case ScriptClass::panel: return "Panel";
    case ScriptClass::button: return "Button";
    case ScriptClass::text_box: return "TextBox";
    case ScriptClass::edit: return "Edit";
    case ScriptClass::power_point: return "PowerPoint";
    case ScriptClass::progress_bar: return "ProgressBar";
    case ScriptClass::image: return "Image";
    default: return "";
  }
}

}  // namespace vcam::uninstaller
