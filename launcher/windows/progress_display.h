#pragma once
// What the progress window shows for a byte count: the percentage text and
// the values its bar is given.
#include <cstdint>
#include <string>

namespace vcam::launcher {

// "%3.2f%%" of value × 100 / maximum in floating point, not clamped: a value
// past the maximum shows more than 100 percent. A zero maximum (an empty job)
// shows "0.00%" rather than a division by zero.
std::u16string progress_percent_text(std::uint32_t value, std::uint32_t maximum);

// The bar's range and position: position = min(value, maximum). The bar
// counts in signed 32 bits, so totals of 2 GiB and more are scaled down by
// the same power of two on both sides.
struct progress_bar_values {
  std::int32_t range = 0;
  std::int32_t position = 0;
};
progress_bar_values progress_bar_for(std::uint32_t value, std::uint32_t maximum);

}  // namespace vcam::launcher
