#include "dui/skin/skin_manager.h"

#include <utility>

#include "dui/load/attribute_applier.h"
#include "dui/load/text_resource.h"
#include "dui/load/xml16.h"
#include "dui/skin/texture_decoder.h"
#include "dui/skin/texture_rule_file.h"

namespace vcam::dui {

SkinManager::SkinManager(const SetterRegistry& setters, const ControlFactory& factory,
                         UiPlatform& platform)
    : setters_(setters), factory_(factory), platform_(platform) {}

SkinManager::~SkinManager() { DropAll(); }

void SkinManager::DropAll() {
  for (auto& [name, font] : fonts_) platform_.DeleteSkinFont(font);
  fonts_.clear();
  styles_.clear();
  images_.clear();
}

void SkinManager::SetSource(std::unique_ptr<FileSource> source) {
  DropAll();
  source_ = std::move(source);
  LoadFonts();
}

void SkinManager::LoadFonts() {
  if (!source_) return;
  std::optional<std::u16string> text = ReadTextResource(*source_, u"font.xml");
  if (!text) return;
  for (const FontDefinition& def : ParseFontDefinitions(std::move(*text))) {
    FontHandle font = platform_.CreateSkinFont(def);
    if (!font) continue;
    auto [it, inserted] = fonts_.try_emplace(def.name, font);
    if (!inserted) {
      platform_.DeleteSkinFont(it->second);
      it->second = font;
    }
  }
}

Style* SkinManager::GetStyle(std::u16string_view file_name) {
  if (const auto it = styles_.find(file_name); it != styles_.end()) return it->second.get();
  if (!source_) return nullptr;
  std::optional<std::u16string> text = ReadTextResource(*source_, file_name);
  if (!text) return nullptr;

  XmlDocument document;
  if (!ParseXml(document, text->data())) return nullptr;
  const XmlElement* root = RootElement(document);
  if (!root) return nullptr;
  // The first element inside the root names the style class with its first
  // attribute's value; the attributes of its first child are the style's.
  const XmlElement* outer = FirstChildElement(*root);
  const StyleCreator* creator = nullptr;
  if (outer && outer->first_attribute()) creator = factory_.FindStyle(ValueOf(*outer->first_attribute()));
  std::unique_ptr<Style> style = creator ? creator->Create() : std::make_unique<Style>();
  if (outer)
    if (const XmlElement* inner = FirstChildElement(*outer)) ApplyAttributes(setters_, *inner, *style);

  Style* result = style.get();
  styles_.emplace(std::u16string(file_name), std::move(style));
  return result;
}

FontHandle SkinManager::GetFont(std::u16string_view name) const {
  const auto it = fonts_.find(name);
  return it == fonts_.end() ? nullptr : it->second;
}

Texture* SkinManager::GetImage(std::u16string_view name) {
  if (const auto it = images_.find(name); it != images_.end()) return it->second.get();
  std::unique_ptr<Texture> texture;
  if (const std::size_t at = name.find(u'@'); at != std::u16string_view::npos) {
    if (const auto rule = rules_.find(name.substr(at + 1)); rule != rules_.end())
      texture = rule->second->Apply(name.substr(0, at), *this);
  } else {
    texture = LoadTexture(name, true);
  }
  Texture* result = texture.get();
  images_.emplace(std::u16string(name), std::move(texture));
  return result;
}

std::unique_ptr<Texture> SkinManager::LoadTexture(std::u16string_view name, bool premultiply) {
  if (!source_) return nullptr;
  const std::optional<std::string> bytes = source_->Read(name);
  if (!bytes) return nullptr;
  return DecodeTexture(*bytes, premultiply,
                       [this](std::int32_t w, std::int32_t h) { return platform_.CreateTexture(w, h); });
}

bool SkinManager::LoadRuleFile(std::u16string_view name) {
  rules_.clear();
  images_.clear();
  const std::optional<std::string> bytes = source_ ? source_->Read(name) : std::nullopt;
  if (!bytes) return false;
  TextureRuleFile file = ParseTextureRuleFile(*bytes);
  if (file.skin_colour) skin_colour_ = *file.skin_colour;
  for (TextureRuleLine& line : file.rules) {
    std::unique_ptr<ImageRule> rule;
    switch (line.kind) {
      case TextureRuleLine::Kind::Redirect:
        rule = std::make_unique<RedirectTextureRule>(std::move(line.target));
        break;
      case TextureRuleLine::Kind::ModifyColor:
        rule = std::make_unique<ModifyColorTextureRule>(line.from, line.colour);
        break;
      case TextureRuleLine::Kind::ModifyAll:
        rule = std::make_unique<ModifyAllTextureRule>(line.colour);
        break;
    }
    PutRule(std::move(line.name), std::move(rule));
  }
  return true;
}

void SkinManager::PutRule(std::u16string name, std::unique_ptr<ImageRule> rule) {
  rules_.insert_or_assign(std::move(name), std::move(rule));
}

void SkinManager::PutImage(std::u16string name, std::unique_ptr<Texture> texture) {
  images_.insert_or_assign(std::move(name), std::move(texture));
}

}  // namespace vcam::dui
