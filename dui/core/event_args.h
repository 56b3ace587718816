#pragma once
// The record every routed event carries, and the event kinds the toolkit raises.
#include <cstdint>

namespace vcam::dui {

enum class Routing : std::int32_t { Tunnel = 0, Bubble = 1, Direct = 2 };

// Five machine words: on the 32-bit target each is 32 bits. The parameters are
// pointer-sized because some events pass a pointer (drag and drop) or the
// message's wParam / lParam.
struct EventArgs {
  std::int32_t kind = 0;
  Routing routing = Routing::Direct;
  std::intptr_t param1 = 0;
  std::intptr_t param2 = 0;
  std::int32_t handled = 0;
};

static_assert(sizeof(void*) != 4 || sizeof(EventArgs) == 20, "five 32-bit fields on the target");

// The toolkit's own identifiers of events. Applications and scripts that see
// numbers see them through UiProfile::EventNumber / EventKindOf.
struct EventKind {
  // No event (an unknown external number).
  static constexpr std::int32_t None = -1;
  static constexpr std::int32_t Attached = 0;
  static constexpr std::int32_t Detached = 1;
  static constexpr std::int32_t GotFocus = 2;
  static constexpr std::int32_t LostFocus = 3;
  static constexpr std::int32_t PreviewKeyDown = 4;
  static constexpr std::int32_t KeyDown = 5;
  static constexpr std::int32_t PreviewKeyUp = 6;
  static constexpr std::int32_t KeyUp = 7;
  static constexpr std::int32_t PreviewKeyPress = 8;
  static constexpr std::int32_t KeyPress = 9;
  static constexpr std::int32_t GotCapture = 10;
  static constexpr std::int32_t LostCapture = 11;
  static constexpr std::int32_t PreviewLButtonDown = 12;
  static constexpr std::int32_t LButtonDown = 13;
  static constexpr std::int32_t PreviewLButtonUp = 14;
  static constexpr std::int32_t LButtonUp = 15;
  static constexpr std::int32_t PreviewRButtonDown = 16;
  static constexpr std::int32_t RButtonDown = 17;
  static constexpr std::int32_t PreviewRButtonUp = 18;
  static constexpr std::int32_t RButtonUp = 19;
  static constexpr std::int32_t LButtonDbClick = 20;
  static constexpr std::int32_t RButtonDbClick = 21;
  // A number scripts may register for; the toolkit does not raise it.
  static constexpr std::int32_t PreviewMouseWheel = 22;
  static constexpr std::int32_t MouseWheel = 23;
  static constexpr std::int32_t MouseMove = 25;
  static constexpr std::int32_t MouseEnter = 26;
  static constexpr std::int32_t MouseLeave = 27;
  static constexpr std::int32_t MouseHover = 28;
  static constexpr std::int32_t SetCursor = 29;
  static constexpr std::int32_t Click = 31;
  static constexpr std::int32_t ValueChange = 32;
  static constexpr std::int32_t Notify = 33;
  static constexpr std::int32_t VisibleChanged = 34;
  static constexpr std::int32_t DragEnter = 35;
  static constexpr std::int32_t DragOver = 36;
  static constexpr std::int32_t DragLeave = 37;
  static constexpr std::int32_t Drop = 38;
  // One past the largest kind.
  static constexpr std::int32_t Limit = 39;
};

}  // namespace vcam::dui
