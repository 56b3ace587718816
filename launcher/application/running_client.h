#pragma once
// How a second launcher start finds the running client and what it sends it.
#include <cstddef>
#include <string>
#include <string_view>

namespace vcam::launcher {

inline constexpr char16_t kClientWindowClass[] = u"zelovcam_client";

// "ZeloOlvana - " followed by the version.
std::u16string client_window_title(std::u16string_view version);

// Bytes of the command line handed over by WM_COPYDATA, terminator included;
// 0 means nothing is sent (an empty command line).
std::size_t command_line_copy_bytes(std::u16string_view command_line);

}  // namespace vcam::launcher
