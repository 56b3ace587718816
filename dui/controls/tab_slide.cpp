#include "dui/controls/tab_slide.h"

namespace vcam::dui {

std::int32_t TabSlideDirection(std::int32_t old_index, std::int32_t new_index) {
  return new_index > old_index ? 1 : -1;
}

std::int32_t TabSlideOffset(std::int32_t width, std::int32_t direction, std::int32_t step) {
  if (step >= kTabSlideSteps || width <= 0) return 0;
  if (step < 0) step = 0;
  const std::int64_t left = static_cast<std::int64_t>(width) * (kTabSlideSteps - step) / kTabSlideSteps;
  return static_cast<std::int32_t>(direction < 0 ? -left : left);
}

std::int64_t TabSlideDeadline(std::int64_t start, std::int64_t ticks_per_second, std::int32_t step) {
  return start + ticks_per_second * kTabSlideStepMilliseconds * step / 1000;
}

}  // namespace vcam::dui
