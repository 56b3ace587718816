#pragma once
// The texture-rule file of a skin: UTF-8 lines of "|"-separated fields. A line
// of one field is the skin colour ("#RRGGBB"); otherwise "name|kind|..." with
// kind "redirect" (target image), "modifycolor" (from and to colours) or
// "modifyall" (colour).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vcam::dui {

struct TextureRuleLine {
  enum class Kind { Redirect, ModifyColor, ModifyAll };
  std::u16string name;
  Kind kind = Kind::Redirect;
  std::u16string target;    // Redirect
  std::uint32_t from = 0;   // ModifyColor
  std::uint32_t colour = 0; // ModifyColor: the new colour; ModifyAll: the colour
};

struct TextureRuleFile {
  // The last valid one-field line, if any.
  std::optional<std::uint32_t> skin_colour;
  // In file order; a later rule of the same name replaces an earlier one.
  std::vector<TextureRuleLine> rules;
};

// The rule named "set_skin_color" gets a twin of this name with a darker colour.
inline constexpr std::u16string_view kSkinColourRule = u"set_skin_color";
inline constexpr std::u16string_view kSkinColourDarkenRule = u"set_skin_color_darken";

// Reads the bytes up to the first zero byte, skipping a UTF-8 byte-order mark.
// Lines with an unknown kind, too few fields or a malformed colour make no rule.
TextureRuleFile ParseTextureRuleFile(std::string_view bytes);

// "#RRGGBB" (hexadecimal digits of either case; the first character is not
// examined) to 0x00RRGGBB; nothing unless the text is seven characters with
// six hexadecimal digits after the first.
std::optional<std::uint32_t> ParseRuleColour(std::u16string_view text);

// Each of R, G and B less 20, and 0 for a channel below 20.
std::uint32_t DarkenColour(std::uint32_t colour);

}  // namespace vcam::dui
