#include "dui/runtime/ui_profile.h"

#include <algorithm>

#include "dui/core/attribute_names.h"
#include "dui/core/control.h"

namespace vcam::dui {

namespace {

// Every kind the toolkit has, under its own number.
constexpr std::int32_t kLauncherKinds[] = {
    EventKind::Attached, EventKind::Detached, EventKind::GotFocus, EventKind::LostFocus,
    EventKind::PreviewKeyDown, EventKind::KeyDown, EventKind::PreviewKeyUp, EventKind::KeyUp,
    EventKind::PreviewKeyPress, EventKind::KeyPress, EventKind::GotCapture, EventKind::LostCapture,
    EventKind::PreviewLButtonDown, EventKind::LButtonDown, EventKind::PreviewLButtonUp, EventKind::LButtonUp,
    EventKind::PreviewRButtonDown, EventKind::RButtonDown, EventKind::PreviewRButtonUp, EventKind::RButtonUp,
    EventKind::LButtonDbClick, EventKind::RButtonDbClick, EventKind::PreviewMouseWheel, EventKind::MouseWheel,
    EventKind::MouseMove, EventKind::MouseEnter, EventKind::MouseLeave, EventKind::MouseHover,
    EventKind::SetCursor, EventKind::Click, EventKind::ValueChange, EventKind::Notify,
    EventKind::VisibleChanged, EventKind::DragEnter, EventKind::DragOver, EventKind::DragLeave,
    EventKind::Drop,
};

UiProfile MakeUninstaller() {
  UiProfile p;
  p.window_class = u"WINDOW:234:000";
  p.dispatcher_class = u"Dispatcher_Tarn124";
  p.repaint_message = 0x0400 + 1;
  p.dispatch_message = 0x0400 + 1;
  p.integer_progress_fill = true;

  p.combo_dropped_style = u"ComboDropped_Bkgnd.xml";

  // "PowerPoint" and "LinkLabel" are the uninstaller's own controls: the
  // toolkit has no class for them, so they build nothing until the
  // uninstaller registers their creators (UiRuntime::RegisterControlCreator).
  p.elements = {u"Canvas",     u"StackPanel",  u"DockPanel",   u"Grid",         u"TabControl",
                u"ComboBox",   u"ToggleIconButton", u"Edit",   u"Image",        u"Label",
                u"Slider",     u"Button",      u"IconButton",  u"ToggleButton", u"RadioButton",
                u"CheckBox",   u"TitleBar",    u"TabItem",     u"ListBox",      u"Window",
                u"ScrollPanel", u"TextBox",    u"WebBrowser",  u"Seperator",    u"ImageButton",
                u"PowerPoint", u"LinkLabel",   u"ProgressBar"};
  p.styles = {u"Background", u"Button",     u"CheckButton",      u"ComboBox",  u"Edit",
              u"Slider",     u"ToggleButton", u"IconButton",     u"ToggleIconButton",
              u"ScrollBar",  u"ButtonEx",   u"CheckButtonEx",    u"Style"};

  // The scroll panel still reads its scroll keywords, so it keeps its defaults.
  std::erase_if(p.attributes, [](const AttributeSetting& a) {
    return a.name == attr::scrollvertical || a.name == attr::scrollhorizontal;
  });
  p.attributes.push_back({attr::imagelist, SetterKind::Text});
  p.attributes.push_back({attr::url, SetterKind::Text});
  p.attributes.push_back({attr::textspace, SetterKind::Int});
  p.attributes.push_back({attr::texteditable, SetterKind::Int});
  p.attributes.push_back({attr::textpadding, SetterKind::Size});

  // Up to MouseLeave the numbers are the toolkit's; after it the uninstaller
  // counts on without MouseHover, and has no VisibleChanged.
  p.event_numbers[EventKind::MouseHover] = UiProfile::kNoEventNumber;
  p.event_numbers[EventKind::VisibleChanged] = UiProfile::kNoEventNumber;
  p.event_numbers[EventKind::SetCursor] = 28;
  p.event_numbers[EventKind::Click] = 30;
  p.event_numbers[EventKind::ValueChange] = 31;
  p.event_numbers[EventKind::Notify] = 32;
  p.event_numbers[EventKind::DragEnter] = 33;
  p.event_numbers[EventKind::DragOver] = 34;
  p.event_numbers[EventKind::DragLeave] = 35;
  p.event_numbers[EventKind::Drop] = 36;

  p.checked_bit = 0x4000;
  p.script_table_bit = 0x40000;
  return p;
}

}  // namespace

std::vector<std::u16string> UiProfile::LauncherElements() {
  return {u"Canvas",      u"StackPanel", u"DockPanel",   u"Grid",         u"TabControl",  u"ComboBox",
          u"ToggleIconButton", u"Edit",  u"Image",       u"Label",        u"Slider",      u"Button",
          u"IconButton",  u"ToggleButton", u"RadioButton", u"CheckBox",   u"TitleBar",    u"TabItem",
          u"ListBox",     u"Window",     u"ScrollPanel", u"TextBox",      u"WebBrowser",  u"Seperator",
          u"Separator",   u"ImageButton", u"WrapPanel",  u"ProgressBar"};
}

std::vector<std::u16string> UiProfile::LauncherStyles() {
  return {u"Background", u"Button",     u"CheckButton", u"ComboBox",         u"Edit",      u"Slider",
          u"ToggleButton", u"IconButton", u"ToggleIconButton", u"ScrollBar", u"Style"};
}

std::array<std::int32_t, EventKind::Limit> UiProfile::LauncherEventNumbers() {
  std::array<std::int32_t, EventKind::Limit> numbers;
  numbers.fill(kNoEventNumber);
  for (std::int32_t kind : kLauncherKinds) numbers[kind] = kind;
  return numbers;
}

std::int32_t UiProfile::EventNumber(std::int32_t kind) const {
  if (kind < 0 || kind >= EventKind::Limit) return kNoEventNumber;
  return event_numbers[kind];
}

std::int32_t UiProfile::EventKindOf(std::int32_t number) const {
  if (number == kNoEventNumber) return EventKind::None;
  const auto it = std::find(event_numbers.begin(), event_numbers.end(), number);
  return it == event_numbers.end() ? EventKind::None : static_cast<std::int32_t>(it - event_numbers.begin());
}

std::uint32_t UiProfile::InternalFlag(std::uint32_t external_bit) const {
  if (external_bit == 0 || (external_bit & (external_bit - 1)) != 0) return 0;
  if (external_bit == checked_bit) return ControlFlags::Checked;
  if (external_bit == script_table_bit) return ControlFlags::ScriptTable;
  // The moved flags' own places are empty in the external word.
  if (external_bit == ControlFlags::Checked || external_bit == ControlFlags::ScriptTable) return 0;
  return external_bit;
}

std::uint32_t UiProfile::ExternalFlags(const Control& control) const {
  const std::uint32_t internal = control.flags();
  std::uint32_t word = internal & ~(ControlFlags::Checked | ControlFlags::ScriptTable | checked_bit | script_table_bit);
  if (internal & ControlFlags::Checked) word |= checked_bit;
  if (internal & ControlFlags::ScriptTable) word |= script_table_bit;
  return word;
}

void UiProfile::WriteExternalFlags(Control& control, std::uint32_t mask, std::uint32_t value) const {
  for (std::uint32_t bit = 1; bit != 0; bit <<= 1) {
    if (!(mask & bit)) continue;
    if (const std::uint32_t flag = InternalFlag(bit)) control.SetFlag(flag, (value & bit) != 0);
  }
}

const UiProfile& UiProfile::Launcher() {
  static const UiProfile profile;
  return profile;
}

const UiProfile& UiProfile::Uninstaller() {
  static const UiProfile profile = MakeUninstaller();
  return profile;
}

}  // namespace vcam::dui
