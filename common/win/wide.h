#pragma once
// Wide text in the programs is std::u16string; on Windows its code units are
// wchar_t's, so the two views convert without copying.
#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16");

namespace vcam {

inline const wchar_t* wide(const std::u16string& s) {
  return reinterpret_cast<const wchar_t*>(s.c_str());
}
inline const wchar_t* wide(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }
inline std::u16string_view u16(const wchar_t* s) {
  return s ? std::u16string_view(reinterpret_cast<const char16_t*>(s)) : std::u16string_view();
}
inline std::u16string_view u16(const wchar_t* s, std::size_t n) {
  return std::u16string_view(reinterpret_cast<const char16_t*>(s), n);
}

}  // namespace vcam
