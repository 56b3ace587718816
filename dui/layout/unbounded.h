#pragma once
#include <cstdint>

namespace vcam::dui {

// The available extent along an axis that has no limit.
inline constexpr std::int32_t kUnbounded = 65536;

}  // namespace vcam::dui
