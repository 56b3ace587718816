#pragma once
// Text on the system clipboard as CF_UNICODETEXT.
#include <windows.h>

#include <string>
#include <string_view>

namespace vcam::dui {

// The clipboard's text when it offers text (CF_TEXT, which it synthesises
// from Unicode text and back). False, `text` untouched, when the clipboard
// cannot be opened or holds no text.
bool ReadClipboardText(HWND owner, std::u16string& text);
// Empties the clipboard and puts `text` on it, terminated, in movable
// memory the clipboard then owns. False when it cannot.
bool WriteClipboardText(HWND owner, std::u16string_view text);

}  // namespace vcam::dui
