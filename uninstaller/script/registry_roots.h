#pragma once
// The four registry roots as scripts see them: global numbers holding the
// signed 32-bit reading of the predefined key handles.
#include <cstdint>
#include <optional>

namespace vcam::uninstaller {

inline constexpr std::int32_t kClassesRoot = INT32_MIN;          // 0x80000000
inline constexpr std::int32_t kCurrentUser = INT32_MIN + 1;      // 0x80000001
inline constexpr std::int32_t kLocalMachine = INT32_MIN + 2;     // 0x80000002
inline constexpr std::int32_t kUsers = INT32_MIN + 3;            // 0x80000003

// The signed 32-bit reading of a predefined key (0x80000000 to 0x80000006,
// given signed or unsigned), or nothing for any other number: a script's
// number must not become the handle of some other key the process holds.
std::optional<std::int32_t> predefined_root(std::int64_t value);

}  // namespace vcam::uninstaller
