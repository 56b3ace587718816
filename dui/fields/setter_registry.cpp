#include "dui/fields/setter_registry.h"

#include <initializer_list>
#include <memory>
#include <utility>

#include "dui/core/attribute_names.h"

namespace vcam::dui {

namespace {

void AddAll(std::vector<AttributeSetting>& list, SetterKind kind, std::initializer_list<PropertyKey> names) {
  for (PropertyKey name : names) list.push_back({name, kind});
}

std::unique_ptr<duiField::ISetter> MakeSetter(const AttributeSetting& a) {
  switch (a.kind) {
    case SetterKind::Text: return std::make_unique<duiField::TextSetter>(a.name);
    case SetterKind::Int: return std::make_unique<duiField::IntSetter>(a.name);
    case SetterKind::Rect: return std::make_unique<duiField::RectSetter>(a.name);
    case SetterKind::Size: return std::make_unique<duiField::SizeSetter>(a.name);
    case SetterKind::Color: return std::make_unique<duiField::ColorSetter>(a.name);
    case SetterKind::Keyword: return std::make_unique<duiField::EnumSetter>(a.name);
  }
  return nullptr;
}

std::vector<AttributeSetting> MakeStandardAttributes() {
  std::vector<AttributeSetting> r;
  AddAll(r, SetterKind::Text, {
      attr::img, attr::upSkin, attr::downSkin, attr::overSkin,
      attr::disabledSkin, attr::upIcon, attr::overIcon, attr::downIcon,
      attr::disabledIcon, attr::checkedUpIcon, attr::checkedOverIcon, attr::checkedDownIcon,
      attr::checkedDisabledIcon, attr::cloUpSkin, attr::cloOverSkin, attr::cloDownSkin,
      attr::dropBtn, attr::barSkin, attr::trackSkin, attr::thumbUpSkin,
      attr::thumbOverSkin, attr::thumbDownSkin, attr::checkedUpSkin, attr::checkedDownSkin,
      attr::checkedOverSkin, attr::checkedDisabledSkin, attr::upArrowUpSkin, attr::upArrowOverSkin,
      attr::upArrowDownSkin, attr::upArrowDisabledSkin, attr::downArrowUpSkin, attr::downArrowOverSkin,
      attr::downArrowDownSkin, attr::downArrowDisabledSkin, attr::thumbUpIcon, attr::thumbOverIcon,
      attr::thumbDownIcon, attr::tooltip, attr::style, attr::text,
      attr::icon, attr::font, attr::offIcon, attr::offText,
      attr::src, attr::grayTip, attr::progressbkimg, attr::progressimg,
  });
  AddAll(r, SetterKind::Int, {
      attr::downOffset, attr::iconGap, attr::multiline, attr::disabledAlpha,
      attr::id, attr::x, attr::y, attr::width,
      attr::height, attr::rows, attr::columns, attr::tabHeight,
      attr::tabOffset, attr::itemHeight,
  });
  AddAll(r, SetterKind::Rect, {
      attr::scaleGrid, attr::margin, attr::thumbScaleGrid, attr::padding,
      attr::progressbkScaleGrid, attr::progressmargin, attr::progressScaleGrid,
  });
  AddAll(r, SetterKind::Size, {attr::initSize, attr::roundCorner});
  AddAll(r, SetterKind::Color, {attr::textColor, attr::color});
  AddAll(r, SetterKind::Keyword, {
      attr::textPlacement, attr::horizontalAlign, attr::verticalAlign, attr::dock,
      attr::orientation, attr::tabPlacement, attr::textAlign, attr::scrollvertical,
  });
  return r;
}

}  // namespace

const std::vector<AttributeSetting>& SetterRegistry::StandardAttributes() {
  static const std::vector<AttributeSetting> attributes = MakeStandardAttributes();
  return attributes;
}

SetterRegistry SetterRegistry::From(const std::vector<AttributeSetting>& attributes) {
  SetterRegistry r;
  for (const AttributeSetting& a : attributes)
    if (auto setter = MakeSetter(a)) r.Add(std::move(setter));
  return r;
}

void SetterRegistry::Add(std::unique_ptr<duiField::ISetter> setter) {
  std::u16string name(setter->name());
  setters_[std::move(name)] = std::move(setter);
}

void SetterRegistry::Remove(std::u16string_view name) {
  const auto it = setters_.find(name);
  if (it != setters_.end()) setters_.erase(it);
}

const duiField::ISetter* SetterRegistry::Find(std::u16string_view name) const {
  const auto it = setters_.find(name);
  return it == setters_.end() ? nullptr : it->second.get();
}

}  // namespace vcam::dui
