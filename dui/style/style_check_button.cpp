#include "dui/style/style_check_button.h"

#include "dui/core/attribute_names.h"
#include "dui/core/control.h"
#include "dui/skin/label_text.h"
#include "dui/skin/texture_drawing.h"
#include "dui/style/placement.h"
#include "dui/style/style_drawing.h"

namespace vcam::dui {

namespace {

const CheckedStateKeys kIcons{{attr::disabledIcon, attr::downIcon, attr::overIcon, attr::upIcon},
                              {attr::checkedDisabledIcon, attr::checkedDownIcon, attr::checkedOverIcon,
                               attr::checkedUpIcon}};

}  // namespace

void Style_CheckButton::Draw(Painter& painter, const Rect& rect, Control& control) {
  // A missing icon is placed as if it were 0 x 0, so the text still shows.
  const Texture* icon = AttributeImage(*this, CheckedStateKey(control.flags(), kIcons));
  const Size size = ImageSize(icon);
  if (icon) {
    const Point at = CheckIconPosition(rect, size);
    DrawNatural(painter, *icon, at.x, at.y);
  }
  DrawLabelText(painter, CheckTextRect(rect, size, GetInt(attr::iconGap, 2)), control.GetText(), nullptr,
                GetColor(attr::textColor, 0xFFFFFF), LabelFormat::Check, painter.IsLayered());
}

}  // namespace vcam::dui
