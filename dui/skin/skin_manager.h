#pragma once
// Owns what a skin pack provides: fonts, the cached styles, and the image
// cache with its texture rules and skin colour.
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "dui/factory/control_factory.h"
#include "dui/fields/setter_registry.h"
#include "dui/load/file_source.h"
#include "dui/runtime/ui_platform.h"
#include "dui/skin/image_rule.h"
#include "dui/skin/texture.h"
#include "dui/style/style.h"

namespace vcam::dui {

class SkinManager {
 public:
  SkinManager(const SetterRegistry& setters, const ControlFactory& factory, UiPlatform& platform);
  ~SkinManager();
  SkinManager(const SkinManager&) = delete;
  SkinManager& operator=(const SkinManager&) = delete;

  // Drops every font, style and cached image, takes the new source (null:
  // none) and loads its "font.xml". A source without "font.xml" leaves no
  // fonts. Texture rules and the skin colour stay.
  void SetSource(std::unique_ptr<FileSource> source);
  FileSource* source() const { return source_.get(); }

  // The cached style of a skin file, loaded on first use; null (and not
  // cached) when the file is missing or malformed.
  Style* GetStyle(std::u16string_view file_name);

  FontHandle GetFont(std::u16string_view name) const;  // null when unknown

  // The image cache: a texture by name, loaded on first use, null when there
  // is none (a failure is cached too). "base@rule" is what the rule makes of
  // the image "base"; an unknown rule gives null.
  Texture* GetImage(std::u16string_view name);
  // Enters a texture (null: a known-missing image) under `name`, replacing an earlier one.
  void PutImage(std::u16string name, std::unique_ptr<Texture> texture);
  // Decodes the named file of the source afresh (not cached); null when missing or undecodable.
  std::unique_ptr<Texture> LoadTexture(std::u16string_view name, bool premultiply);

  // Drops every rule and cached image, then reads the rules and the skin
  // colour from the named file of the source. False when the file is missing.
  bool LoadRuleFile(std::u16string_view name);
  // Replaces the rule of that name.
  void PutRule(std::u16string name, std::unique_ptr<ImageRule> rule);
  std::uint32_t skin_colour() const { return skin_colour_; }
  std::size_t rule_count() const { return rules_.size(); }
  std::size_t image_count() const { return images_.size(); }
  std::size_t font_count() const { return fonts_.size(); }

 private:
  void DropAll();
  void LoadFonts();

  const SetterRegistry& setters_;
  const ControlFactory& factory_;
  UiPlatform& platform_;
  std::unique_ptr<FileSource> source_;
  std::map<std::u16string, FontHandle, std::less<>> fonts_;
  std::map<std::u16string, std::unique_ptr<Style>, std::less<>> styles_;
  std::map<std::u16string, std::unique_ptr<Texture>, std::less<>> images_;
  std::map<std::u16string, std::unique_ptr<ImageRule>, std::less<>> rules_;
  std::uint32_t skin_colour_ = 0;
};

}  // namespace vcam::dui
