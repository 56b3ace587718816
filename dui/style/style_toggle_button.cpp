#include "dui/style/style_toggle_button.h"

#include "dui/core/attribute_names.h"
#include "dui/core/control.h"
#include "dui/skin/label_text.h"
#include "dui/skin/texture_drawing.h"
#include "dui/style/style_drawing.h"

namespace vcam::dui {

namespace {

const CheckedStateKeys kSkins{{attr::disabledSkin, attr::downSkin, attr::overSkin, attr::upSkin},
                              {attr::checkedDisabledSkin, attr::checkedDownSkin, attr::checkedOverSkin,
                               attr::checkedUpSkin}};

}  // namespace

void Style_ToggleButton::Draw(Painter& painter, const Rect& rect, Control& control) {
  if (const Texture* skin = AttributeImage(*this, CheckedStateKey(control.flags(), kSkins)))
    DrawStretched(painter, *skin, rect);
  Rect text = rect;
  if (control.HasFlag(ControlFlags::Pressed) && GetInt(attr::downOffset, 0) == 1) text = text.offset(1, 1);
  DrawLabelText(painter, text, control.GetText(), ControlFont(control), GetColor(attr::textColor, 0xFFFFFF),
                LabelFormat::Button, false);
}

}  // namespace vcam::dui
