#include "dui/style/style.h"

namespace vcam::dui {

void Style::Draw(Painter&, const Rect&, Control&) {}

}  // namespace vcam::dui
