#pragma once
// The slide-in of a newly selected tab page: ten steps of a tenth of the page
// width each, 10 ms apart.
#include <cstdint>

namespace vcam::dui {

inline constexpr std::int32_t kTabSlideSteps = 10;
inline constexpr std::int32_t kTabSlideStepMilliseconds = 10;

// +1: the new page comes in from the right (its tab lies right of the old
// one); -1: from the left.
std::int32_t TabSlideDirection(std::int32_t old_index, std::int32_t new_index);

// The page's horizontal offset from its final place after `step` (1 to
// kTabSlideSteps) of a slide in `direction` over a page `width` wide: at step 1
// nine tenths out, at the last step in place.
std::int32_t TabSlideOffset(std::int32_t width, std::int32_t direction, std::int32_t step);

// The counter reading at which `step` has used up its time: start + step x 10 ms.
std::int64_t TabSlideDeadline(std::int64_t start, std::int64_t ticks_per_second, std::int32_t step);

}  // namespace vcam::dui
