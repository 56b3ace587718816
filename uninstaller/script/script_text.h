#pragma once
// Text crossing between scripts (UTF-8) and Windows (UTF-16). A script string
// that is not well-formed UTF-8 crosses as an empty string, as the strict
// Windows conversion (MB_ERR_INVALID_CHARS) refuses it whole.
#include <string>
#include <string_view>

namespace vcam::uninstaller {

// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no
// surrogates, nothing above U+10FFFF, no cut sequence at the end.
bool utf8_is_well_formed(std::string_view text);

// The UTF-16 text of a well-formed script string, empty otherwise.
std::u16string script_text_to_utf16(std::string_view text);

// Cuts at the first NUL: Windows sees wide strings only up to there.
std::u16string_view up_to_nul(std::u16string_view text);

}  // namespace vcam::uninstaller
