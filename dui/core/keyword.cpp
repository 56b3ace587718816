#include "dui/core/keyword.h"

#include <array>

namespace vcam::dui {

namespace {

constexpr std::array<std::u16string_view, 14> kTexts = {
    u"",       u"left",       u"right",    u"top",  u"bottom", u"center", u"stretch",
    u"horizontal", u"vertical", u"true", u"false",  u"auto",   u"always",  u"never",
};

}  // namespace

Keyword FindKeyword(std::u16string_view text) {
  for (std::size_t i = 1; i < kTexts.size(); ++i)
    if (kTexts[i] == text) return static_cast<Keyword>(i);
  return Keyword::None;
}

std::u16string_view KeywordText(Keyword keyword) {
  const auto i = static_cast<std::size_t>(keyword);
  return i < kTexts.size() ? kTexts[i] : std::u16string_view();
}

}  // namespace vcam::dui
