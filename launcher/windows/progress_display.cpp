#include "launcher/windows/progress_display.h"

#include <algorithm>
#include <cstdio>

namespace vcam::launcher {

std::u16string progress_percent_text(std::uint32_t value, std::uint32_t maximum) {
  const double percent = maximum == 0 ? 0.0 : static_cast<double>(value) * 100.0 / static_cast<double>(maximum);
  // The widest value (4294967295 of 1) needs 14 characters.
  char text[32];
  const int n = std::snprintf(text, sizeof text, "%3.2f%%", percent);
  return std::u16string(text, text + std::clamp(n, 0, static_cast<int>(sizeof text) - 1));
}

progress_bar_values progress_bar_for(std::uint32_t value, std::uint32_t maximum) {
  std::uint32_t range = maximum;
  std::uint32_t position = std::min(value, maximum);
  while (range > 0x7FFFFFFFu) {
    range >>= 1;
    position >>= 1;
  }
  return {static_cast<std::int32_t>(range), static_cast<std::int32_t>(position)};
}

}  // namespace vcam::launcher
