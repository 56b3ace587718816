#include "dui/skin/image_rule.h"

#include "dui/skin/skin_manager.h"
#include "dui/skin/texture_decoder.h"

namespace vcam::dui {

namespace {

constexpr std::uint32_t kColourBits = 0x00FFFFFF;
constexpr std::uint32_t kAlphaBits = 0xFF000000;

template <typename Recolour>
std::unique_ptr<Texture> Recoloured(std::unique_ptr<Texture> texture, Recolour recolour) {
  if (!texture) return nullptr;
  std::uint32_t* p = texture->pixels();
  const std::size_t n = static_cast<std::size_t>(texture->width()) * static_cast<std::size_t>(texture->height());
  for (std::size_t i = 0; i < n; ++i) p[i] = PremultiplyPixel(recolour(p[i]));
  return texture;
}

}  // namespace

std::unique_ptr<Texture> RedirectTextureRule::Apply(std::u16string_view, SkinManager& skins) {
  return skins.LoadTexture(target_, true);
}

std::unique_ptr<Texture> ModifyColorTextureRule::Apply(std::u16string_view base, SkinManager& skins) {
  return Recoloured(skins.LoadTexture(base, false), [this](std::uint32_t word) {
    return (word & kColourBits) == from_ ? (word & kAlphaBits) | (to_ & kColourBits) : word;
  });
}

std::unique_ptr<Texture> ModifyAllTextureRule::Apply(std::u16string_view base, SkinManager& skins) {
  return Recoloured(skins.LoadTexture(base, false),
                    [this](std::uint32_t word) { return (word & kAlphaBits) | (colour_ & kColourBits); });
}

}  // namespace vcam::dui
