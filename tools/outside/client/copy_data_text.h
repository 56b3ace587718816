#pragma once
// The text another program hands the client window by WM_COPYDATA: UTF-16,
// normally NUL-terminated, but the byte count is the sender's word, so the
// text is cut at the first NUL, at the last whole code unit and at a limit.
#include <cstddef>
#include <string>

namespace vcam::client {

// A command line is at most 32767 units on Windows; anything longer is cut.
inline constexpr std::size_t kCopyDataTextLimit = 32767;

std::u16string copy_data_text(const void* data, std::size_t bytes);

}  // namespace vcam::client
