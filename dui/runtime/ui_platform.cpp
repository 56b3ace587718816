#include "dui/runtime/ui_platform.h"

namespace vcam::dui {

std::unique_ptr<RepeatClock> UiPlatform::CreateScrollTimer(ScrollBar&) { return nullptr; }

ComboPopup* UiPlatform::CreateComboPopup(ComboBox&) { return nullptr; }

void UiPlatform::DebugMessage(std::u16string_view) {}

}  // namespace vcam::dui
