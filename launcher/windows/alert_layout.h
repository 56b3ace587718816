#pragma once
// The parts of the alert dialog's layout that the launcher changes after
// loading it: the two-button split and the note lines.
#include <cstdint>
#include <string>
#include <vector>

#include "dui/core/panel.h"

namespace vcam::launcher {

// The alert layout's ids.
struct alert_ids {
  static constexpr std::int32_t title = 1001;
  static constexpr std::int32_t close = 1002;
  static constexpr std::int32_t message = 1003;
  static constexpr std::int32_t one_button_confirm = 1004;
  static constexpr std::int32_t one_button_group = 1005;
  static constexpr std::int32_t two_button_group = 1006;
  static constexpr std::int32_t two_button_confirm = 1007;
  static constexpr std::int32_t cancel = 1008;
  static constexpr std::int32_t cancel_side = 1009;
  static constexpr std::int32_t notes = 2000;
};

// Two buttons share the dialog's width: the confirm button takes half, the
// cancel side starts there, and the cancel button takes the rest but the
// one-pixel divider between them.
struct alert_button_split {
  std::int32_t confirm_width = 0;
  std::int32_t cancel_left_margin = 0;
  std::int32_t cancel_width = 0;
};
alert_button_split split_alert_buttons(std::int32_t root_width);

// Appends one Label a line: hit-transparent, grey (0x666666), 13 pixels below
// what comes before it.
void add_note_lines(dui::Panel& notes, const std::vector<std::u16string>& lines);

}  // namespace vcam::launcher
