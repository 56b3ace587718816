#include "dui/controls/slider_geometry.h"

#include <algorithm>

namespace vcam::dui {

std::int32_t ClampSliderValue(std::int32_t v, std::int32_t maximum) {
  if (maximum < 0) return 0;
  return std::clamp(v, 0, maximum);
}

std::int32_t SliderValueAt(std::int32_t position, std::int32_t length, std::int32_t thumb, std::int32_t maximum) {
  const std::int64_t travel = static_cast<std::int64_t>(length) - thumb;
  if (travel <= 0) return 0;
  // 64 bits: a long slider with a large maximum must not overflow, and the
  // result is clamped by the caller anyway.
  const std::int64_t v = (static_cast<std::int64_t>(position) - thumb / 2) * maximum / travel;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

std::int32_t SliderThumbOffset(std::int32_t value, std::int32_t length, std::int32_t thumb, std::int32_t maximum) {
  const std::int64_t travel = static_cast<std::int64_t>(length) - thumb;
  if (travel <= 0 || maximum <= 0) return 0;
  return static_cast<std::int32_t>(ClampSliderValue(value, maximum) * travel / maximum);
}

std::int32_t WheelDelta(std::intptr_t param1) {
  return static_cast<std::int16_t>((static_cast<std::uintptr_t>(param1) >> 16) & 0xFFFF);
}

}  // namespace vcam::dui
