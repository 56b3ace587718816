#include "dui/load/layout_loader.h"

#include <utility>

#include "dui/controls/tab_item.h"
#include "dui/core/panel.h"
#include "dui/load/attribute_applier.h"
#include "dui/load/text_resource.h"

namespace vcam::dui {

LayoutLoader::LayoutLoader(const SetterRegistry& setters, const ControlFactory& factory,
                           const ControlCreatorMap& application_creators)
    : setters_(setters), factory_(factory), application_creators_(application_creators) {}

std::unique_ptr<Control> LayoutLoader::LoadLayout(std::u16string_view file_name) const {
  if (!source_) return nullptr;
  std::optional<std::u16string> text = ReadTextResource(*source_, file_name);
  if (!text) return nullptr;
  return LoadLayoutText(std::move(*text));
}

std::unique_ptr<Control> LayoutLoader::LoadLayoutText(std::u16string text) const {
  XmlDocument document;
  if (!ParseXml(document, text.data())) return nullptr;
  const XmlElement* root = RootElement(document);
  return root ? BuildControl(*root) : nullptr;
}

std::unique_ptr<Control> LayoutLoader::BuildControl(const XmlElement& element) const {
  const std::u16string_view name = NameOf(element);
  const ControlCreator* creator = nullptr;
  if (const auto it = application_creators_.find(name); it != application_creators_.end())
    creator = it->second.get();
  if (!creator) creator = factory_.FindControl(name);
  if (!creator) return nullptr;

  std::unique_ptr<Control> control = creator->Create();
  if (!control) return nullptr;
  control->SetClassName(std::u16string(name));
  ApplyAttributes(setters_, element, *control);

  const XmlElement* first = FirstChildElement(element);
  if (!first) return control;
  if (name == u"TabItem") {
    // The tab's page is its first child element; further ones are ignored.
    std::unique_ptr<Control> page = BuildControl(*first);
    if (auto* item = dynamic_cast<TabItem*>(control.get())) item->SetPage(std::move(page));
    return control;
  }
  // Only containers have a child list; child elements of other controls are
  // left out.
  auto* panel = dynamic_cast<Panel*>(control.get());
  if (!panel) return control;
  for (const XmlElement* e = first; e; e = NextSiblingElement(*e))
    if (std::unique_ptr<Control> child = BuildControl(*e)) panel->AddChild(std::move(child));
  return control;
}

}  // namespace vcam::dui
