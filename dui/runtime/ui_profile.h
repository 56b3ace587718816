#pragma once
// What differs between the applications that run the toolkit: names of the
// window classes, message numbers, the vocabulary of layout and style files,
// the numbers under which events and flags are visible to applications and
// scripts, and arithmetic choices. One profile is chosen at Initialize and
// stays for the life of the runtime.
//
// Inside, the toolkit uses its own identifiers (EventKind, ControlFlags);
// numbers cross to applications and scripts only through the translations
// here.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "dui/core/control_flags.h"
#include "dui/core/event_args.h"
#include "dui/fields/setter_registry.h"

namespace vcam::dui {

class Control;

struct UiProfile {
  // The framework window class; empty: the application name.
  std::u16string window_class;
  // The window host's repaint request (WM_USER + 4).
  std::uint32_t repaint_message = 0x0400 + 4;
  // The dispatcher window's class; empty: the application name + "_Dispatcher".
  std::u16string dispatcher_class;
  // The message that carries a posted call to the dispatcher (WM_USER + 2).
  std::uint32_t dispatch_message = 0x0400 + 2;
  // The progress bar's fill width in 32-bit integers instead of single precision.
  bool integer_progress_fill = false;
  // The style file of the combo box's drop-down list.
  std::u16string combo_dropped_style = u"combobox_dropped.xml";

  // Element names of layout files. The factory offers the toolkit's creators
  // of these names; a name the toolkit has no class for builds nothing until
  // the application registers a creator for it.
  std::vector<std::u16string> elements = LauncherElements();
  // Style class names of style files, likewise.
  std::vector<std::u16string> styles = LauncherStyles();
  // The attributes layout and style files can set.
  std::vector<AttributeSetting> attributes = SetterRegistry::StandardAttributes();

  // The external number of each EventKind; kNoEventNumber where the
  // application has none.
  static constexpr std::int32_t kNoEventNumber = -1;
  std::array<std::int32_t, EventKind::Limit> event_numbers = LauncherEventNumbers();

  // Where the external flag word carries ControlFlags::Checked and
  // ControlFlags::ScriptTable.
  std::uint32_t checked_bit = ControlFlags::Checked;
  std::uint32_t script_table_bit = ControlFlags::ScriptTable;

  // EventKind -> external number; kNoEventNumber for a kind without one.
  std::int32_t EventNumber(std::int32_t kind) const;
  // External number -> EventKind; EventKind::None for an unknown number.
  std::int32_t EventKindOf(std::int32_t number) const;

  // The control's flags as applications and scripts see them: the checked
  // and script-table bits moved to their external places. An internal flag
  // whose own bit is one of those places is left out of the external word.
  std::uint32_t ExternalFlags(const Control& control) const;
  // The internal flag an external bit stands for; 0 when it stands for none.
  std::uint32_t InternalFlag(std::uint32_t external_bit) const;
  // Sets the external bits in `mask` to their values in `value`.
  void WriteExternalFlags(Control& control, std::uint32_t mask, std::uint32_t value) const;

  // The launcher's choices (the defaults above).
  static const UiProfile& Launcher();
  // The uninstaller's: its own class and message names, event numbers,
  // checked bit and vocabulary.
  static const UiProfile& Uninstaller();

  static std::vector<std::u16string> LauncherElements();
  static std::vector<std::u16string> LauncherStyles();
  static std::array<std::int32_t, EventKind::Limit> LauncherEventNumbers();
};

}  // namespace vcam::dui
