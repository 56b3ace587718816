#pragma once
// Code page 936 (Simplified Chinese ANSI) <-> UTF-16 through Windows'
// conversion functions. Narrow paths and URLs handed to libcurl, the C
// runtime's narrow file functions and batch files use this code page.
#include <string>
#include <string_view>

namespace vcam {

std::u16string cp936_to_utf16(std::string_view text);
// Characters without a code page 936 form become "?".
std::string utf16_to_cp936(std::u16string_view text);

}  // namespace vcam
