#pragma once
// Owns what a skin pack provides: fonts and the cached styles.
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "dui/factory/control_factory.h"
#include "dui/fields/setter_registry.h"
#include "dui/load/file_source.h"
#include "dui/runtime/ui_platform.h"
#include "dui/skin/texture.h"
#include "dui/style/style.h"

namespace vcam::dui {

class SkinManager {
 public:
  SkinManager(const SetterRegistry& setters, const ControlFactory& factory, UiPlatform& platform);
  ~SkinManager();
  SkinManager(const SkinManager&) = delete;
  SkinManager& operator=(const SkinManager&) = delete;

  // Drops every font and style, takes the new source (null: none) and loads
  // its "font.xml". A source without "font.xml" leaves no fonts.
  void SetSource(std::unique_ptr<FileSource> source);
  FileSource* source() const { return source_.get(); }

  // The cached style of a skin file, loaded on first use; null (and not
  // cached) when the file is missing or malformed.
  Style* GetStyle(std::u16string_view file_name);

  FontHandle GetFont(std::u16string_view name) const;  // null when unknown

  // The image cache: a texture by name, null when there is none.
  Texture* GetImage(std::u16string_view name);
  // Enters a texture (null: a known-missing image) under `name`, replacing an earlier one.
  void PutImage(std::u16string name, std::unique_ptr<Texture> texture);
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
};

}  // namespace vcam::dui
