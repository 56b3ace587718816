#pragma once
// State bits of a Control: the toolkit's own identifiers. Where applications
// or scripts see a flag word, UiProfile::ExternalFlags translates it (the
// checked and script-table bits sit elsewhere in some configurations).
#include <cstdint>

namespace vcam::dui {

struct ControlFlags {
  static constexpr std::uint32_t Enabled = 0x1;
  static constexpr std::uint32_t Visible = 0x2;
  static constexpr std::uint32_t Focused = 0x4;
  static constexpr std::uint32_t Pressed = 0x8;
  static constexpr std::uint32_t Hover = 0x10;
  static constexpr std::uint32_t RedrawOnState = 0x20;
  static constexpr std::uint32_t CaptureOnPress = 0x40;
  static constexpr std::uint32_t Focusable = 0x80;
  static constexpr std::uint32_t ButtonMark = 0x100;  // set on button-like controls; nothing reads it
  static constexpr std::uint32_t AllowDrop = 0x200;
  static constexpr std::uint32_t HitTransparent = 0x400;
  static constexpr std::uint32_t WantDoubleClick = 0x800;
  static constexpr std::uint32_t Collapsed = 0x1000;
  static constexpr std::uint32_t IsVisible = 0x2000;
  static constexpr std::uint32_t RouteStop = 0x4000;
  static constexpr std::uint32_t Container = 0x8000;
  static constexpr std::uint32_t Checked = 0x10000;
  static constexpr std::uint32_t WheelInput = 0x20000;    // the slider takes the wheel only with it
  static constexpr std::uint32_t ScriptTable = 0x40000;  // a script holds a table for the control
  static constexpr std::uint32_t TabItemMark = 0x80000;  // set on tab items; nothing reads it

  static constexpr std::uint32_t Initial = Enabled | Visible;
  // Button, IconButton, ImageButton and the toggles.
  static constexpr std::uint32_t ButtonSet = RouteStop | ButtonMark | CaptureOnPress | RedrawOnState;
};

}  // namespace vcam::dui
