#pragma once
// Element name -> creator, for controls (layout files) and styles (style files).
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dui/core/control.h"
#include "dui/factory/creator.h"
#include "dui/style/style.h"

namespace vcam::dui {

using ControlCreator = duiFactory::CreatorBase<Control>;
using StyleCreator = duiFactory::CreatorBase<Style>;
using ControlCreatorMap = std::map<std::u16string, std::unique_ptr<ControlCreator>, std::less<>>;
using StyleCreatorMap = std::map<std::u16string, std::unique_ptr<StyleCreator>, std::less<>>;

template <class X>
std::unique_ptr<ControlCreator> MakeControlCreator() {
  return std::make_unique<duiFactory::Creator<X, Control>>();
}
template <class X>
std::unique_ptr<StyleCreator> MakeStyleCreator() {
  return std::make_unique<duiFactory::Creator<X, Style>>();
}

class ControlFactory {
 public:
  // Every control and style class the toolkit has, under the launcher's
  // element and style names.
  static ControlFactory Standard();
  // The standard creators of the listed names only. A listed name the
  // toolkit has no class for gets no creator: the application adds it
  // (UiRuntime::RegisterControlCreator, AddStyle).
  static ControlFactory For(const std::vector<std::u16string>& elements,
                            const std::vector<std::u16string>& styles);

  // Add replaces an earlier creator of the same name.
  void AddControl(std::u16string name, std::unique_ptr<ControlCreator> creator);
  void RemoveControl(std::u16string_view name);
  void AddStyle(std::u16string name, std::unique_ptr<StyleCreator> creator);
  void RemoveStyle(std::u16string_view name);

  const ControlCreator* FindControl(std::u16string_view name) const;
  const StyleCreator* FindStyle(std::u16string_view name) const;
  const ControlCreatorMap& controls() const { return controls_; }
  const StyleCreatorMap& styles() const { return styles_; }

 private:
  ControlCreatorMap controls_;
  StyleCreatorMap styles_;
};

}  // namespace vcam::dui
