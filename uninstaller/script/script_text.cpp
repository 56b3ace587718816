#include "uninstaller/script/script_text.h"

#include "common/text_utf.h"

namespace vcam::uninstaller {

bool utf8_is_well_formed(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) {
      ++i;
      continue;
    }
    int need;
    unsigned char lo = 0x80, hi = 0xBF;  // range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      need = 1;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      need = 2;
      if (b0 == 0xE0) lo = 0xA0;  // overlong
      if (b0 == 0xED) hi = 0x9F;  // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      need = 3;
      if (b0 == 0xF0) lo = 0x90;  // overlong
      if (b0 == 0xF4) hi = 0x8F;  // above U+10FFFF
    } else {
      return false;
    }
    if (text.size() - i - 1 < static_cast<std::size_t>(need)) return false;
    for (int k = 1; k <= need; ++k) {
      const unsigned char b = static_cast<unsigned char>(text[i + k]);
      if (b < (k == 1 ? lo : 0x80) || b > (k == 1 ? hi : 0xBF)) return false;
    }
    i += need + 1;
  }
  return true;
}

std::u16string script_text_to_utf16(std::string_view text) {
  if (!utf8_is_well_formed(text)) return {};
  return utf8_to_utf16(text);
}

std::u16string_view up_to_nul(std::u16string_view text) {
  const auto nul = text.find(u'\0');
  return nul == std::u16string_view::npos ? text : text.substr(0, nul);
}

}  // namespace vcam::uninstaller
