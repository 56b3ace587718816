#include "uninstaller/ui/win/link_label.h"

#include <windows.h>
#include <shellapi.h>

#include "common/win/wide.h"
#include "dui/core/attribute_names.h"

namespace vcam::uninstaller {

LinkLabel::LinkLabel(Opener opener) : opener_(opener ? opener : &OpenInBrowser) {
  SetFlag(dui::ControlFlags::HitTransparent, false);
  AddHandler(dui::EventKind::SetCursor, this, &OnSetCursor);
  AddHandler(dui::EventKind::LButtonDown, this, &OnLButtonDown);
}

void LinkLabel::OpenInBrowser(std::u16string_view url) {
  const std::u16string address(url);
  ::ShellExecuteW(nullptr, nullptr, L"iexplore", wide(address), nullptr, SW_SHOW);
}

void LinkLabel::OnSetCursor(void*, dui::Control*, dui::EventArgs& args) {
  ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
  args.handled = 1;
}

void LinkLabel::OnLButtonDown(void* context, dui::Control*, dui::EventArgs& args) {
  auto* self = static_cast<LinkLabel*>(context);
  if (const std::u16string* url = self->FindString(dui::attr::url)) self->opener_(*url);
  args.handled = 1;
}

}  // namespace vcam::uninstaller
