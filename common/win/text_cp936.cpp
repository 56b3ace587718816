#include "common/win/text_cp936.h"

#include <windows.h>

#include <climits>

#include "common/win/wide.h"

namespace vcam {

namespace {
constexpr UINT kCodePage = 936;
}

std::u16string cp936_to_utf16(std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int n = ::MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::u16string out(static_cast<std::size_t>(n), u'\0');
  ::MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()),
                        reinterpret_cast<wchar_t*>(out.data()), n);
  return out;
}

std::string utf16_to_cp936(std::u16string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const auto* w = reinterpret_cast<const wchar_t*>(text.data());
  const int len = static_cast<int>(text.size());
  const int n = ::WideCharToMultiByte(kCodePage, 0, w, len, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(kCodePage, 0, w, len, out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace vcam
