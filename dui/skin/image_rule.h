#pragma once
// Texture rules: an image name followed by "@" and a rule name asks the image
// cache for an image that the rule derives from the base image.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "dui/skin/texture.h"

namespace vcam::dui {

class SkinManager;

class ImageRule {
 public:
  // A new texture derived from the image `base` of the skin, or null.
  virtual std::unique_ptr<Texture> Apply(std::u16string_view base, SkinManager& skins) = 0;
  virtual ~ImageRule() = default;
};

// Stands for another image of the skin; the base name is not used.
class RedirectTextureRule : public ImageRule {
 public:
  explicit RedirectTextureRule(std::u16string target) : target_(std::move(target)) {}
  std::unique_ptr<Texture> Apply(std::u16string_view base, SkinManager& skins) override;

 private:
  std::u16string target_;
};

// Pixels of colour `from` (0x00RRGGBB) take colour `to`, keeping their alpha.
class ModifyColorTextureRule : public ImageRule {
 public:
  ModifyColorTextureRule(std::uint32_t from, std::uint32_t to) : from_(from), to_(to) {}
  std::unique_ptr<Texture> Apply(std::u16string_view base, SkinManager& skins) override;

 private:
  std::uint32_t from_;
  std::uint32_t to_;
};

// Every pixel takes the colour, keeping its alpha.
class ModifyAllTextureRule : public ImageRule {
 public:
  explicit ModifyAllTextureRule(std::uint32_t colour) : colour_(colour) {}
  std::unique_ptr<Texture> Apply(std::u16string_view base, SkinManager& skins) override;

 private:
  std::uint32_t colour_;
};

}  // namespace vcam::dui
