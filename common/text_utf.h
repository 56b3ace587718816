#pragma once
// UTF-8 <-> UTF-16 conversion. Wide text inside every program is UTF-16
// (std::u16string, the same code units as Windows' wchar_t); UTF-8 only at the
// borders (JSON, XML, scripts, log lines).
#include <string>
#include <string_view>

namespace vcam {

// Each maximal ill-formed subsequence becomes one U+FFFD, as Windows'
// MultiByteToWideChar does for CP_UTF8 without MB_ERR_INVALID_CHARS.
std::u16string utf8_to_utf16(std::string_view text);

// Unpaired surrogates become U+FFFD.
std::string utf16_to_utf8(std::u16string_view text);

// Length in bytes of the longest prefix of `text` no longer than `limit` that
// does not end inside a UTF-8 sequence.
std::size_t utf8_cut(std::string_view text, std::size_t limit);

}  // namespace vcam
