#include "dui/fields/setter_registry.h"

#include <initializer_list>
#include <memory>

#include "dui/core/attribute_names.h"

namespace vcam::dui {

namespace {

template <typename SetterT>
void AddAll(SetterRegistry& registry, std::initializer_list<PropertyKey> names) {
  for (PropertyKey name : names) registry.Add(std::make_unique<SetterT>(name));
}

}  // namespace

SetterRegistry SetterRegistry::Standard() {
  SetterRegistry r;
  AddAll<duiField::TextSetter>(r, {
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
  AddAll<duiField::IntSetter>(r, {
      attr::downOffset, attr::iconGap, attr::multiline, attr::disabledAlpha,
      attr::id, attr::x, attr::y, attr::width,
      attr::height, attr::rows, attr::columns, attr::tabHeight,
      attr::tabOffset, attr::itemHeight,
  });
  AddAll<duiField::RectSetter>(r, {
      attr::scaleGrid, attr::margin, attr::thumbScaleGrid, attr::padding,
      attr::progressbkScaleGrid, attr::progressmargin, attr::progressScaleGrid,
  });
  AddAll<duiField::SizeSetter>(r, {attr::initSize, attr::roundCorner});
  AddAll<duiField::ColorSetter>(r, {attr::textColor, attr::color});
  AddAll<duiField::EnumSetter>(r, {
      attr::textPlacement, attr::horizontalAlign, attr::verticalAlign, attr::dock,
      attr::orientation, attr::tabPlacement, attr::textAlign, attr::scrollvertical,
  });
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
