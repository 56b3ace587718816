#include "dui/skin/texture_rule_file.h"

#include "common/text_utf.h"

namespace vcam::dui {

namespace {

std::vector<std::u16string_view> Split(std::u16string_view text, char16_t separator) {
  std::vector<std::u16string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::u16string_view::npos ? std::u16string_view::npos : end - start));
    if (end == std::u16string_view::npos) return parts;
    start = end + 1;
  }
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

std::optional<TextureRuleLine> RuleOf(const std::vector<std::u16string_view>& fields) {
  TextureRuleLine rule;
  rule.name = std::u16string(fields[0]);
  const std::u16string_view kind = fields[1];
  if (kind == u"redirect" && fields.size() >= 3) {
    rule.kind = TextureRuleLine::Kind::Redirect;
    rule.target = std::u16string(fields[2]);
    return rule;
  }
  if (kind == u"modifycolor" && fields.size() >= 4) {
    const auto from = ParseRuleColour(fields[2]), to = ParseRuleColour(fields[3]);
    if (!from || !to) return std::nullopt;
    rule.kind = TextureRuleLine::Kind::ModifyColor;
    rule.from = *from;
    rule.colour = *to;
    return rule;
  }
  if (kind == u"modifyall" && fields.size() >= 3) {
    const auto colour = ParseRuleColour(fields[2]);
    if (!colour) return std::nullopt;
    rule.kind = TextureRuleLine::Kind::ModifyAll;
    rule.colour = *colour;
    return rule;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> ParseRuleColour(std::u16string_view text) {
  if (text.size() != 7) return std::nullopt;
  std::uint32_t value = 0;
  for (std::size_t i = 1; i < 7; ++i) {
    const int digit = HexDigit(text[i]);
    if (digit < 0) return std::nullopt;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return value;
}

std::uint32_t DarkenColour(std::uint32_t colour) {
  std::uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::uint32_t c = (colour >> shift) & 0xFF;
    result |= (c < 20 ? 0 : c - 20) << shift;
  }
  return result;
}

TextureRuleFile ParseTextureRuleFile(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::u16string text = utf8_to_utf16(bytes);
  for (char16_t& c : text)
    if (c == u'\r') c = u'\n';

  TextureRuleFile file;
  for (const std::u16string_view line : Split(text, u'\n')) {
    // Blank lines (a final line break, CR LF pairs) are no skin colour.
    if (line.empty()) continue;
    const std::vector<std::u16string_view> fields = Split(line, u'|');
    if (fields.size() == 1) {
      if (const auto colour = ParseRuleColour(fields[0])) file.skin_colour = colour;
      continue;
    }
    std::optional<TextureRuleLine> rule = RuleOf(fields);
    if (!rule) continue;
    const bool skin_colour = rule->kind == TextureRuleLine::Kind::ModifyColor && rule->name == kSkinColourRule;
    file.rules.push_back(*rule);
    if (skin_colour) {
      rule->name = std::u16string(kSkinColourDarkenRule);
      rule->colour = DarkenColour(rule->colour);
      file.rules.push_back(std::move(*rule));
    }
  }
  return file;
}

}  // namespace vcam::dui
