#include "dui/controls/web_browser.h"

#include "dui/core/control_host.h"
#include "dui/runtime/ui_runtime.h"

namespace vcam::dui {

WebBrowser::WebBrowser() {
  AddHandler(EventKind::Attached, nullptr, &OnAttached);
  AddHandler(EventKind::Detached, nullptr, &OnDetached);
  AddHandler(EventKind::VisibleChanged, nullptr, &OnVisibleChanged);
}

WebBrowser::~WebBrowser() {
  // The browser calls back into this object until it is gone.
  BeginDestroy();
  view_.reset();
}

void WebBrowser::Paint(Painter&, const Rect& rect, const Rect&) {
  if (!view_ || rect == bounds_) return;
  bounds_ = rect;
  view_->SetBounds(rect);
}

bool WebBrowser::Navigate(std::u16string_view url) {
  url_ = std::u16string(url);
  return view_ && view_->Navigate(url_);
}

void WebBrowser::DocumentComplete(std::u16string_view url) {
  loaded_ = std::u16string(url);
  EventArgs args{EventKind::Notify, Routing::Direct, kDocumentComplete, 0, 0};
  RaiseEvent(args);
}

void WebBrowser::NavigateError(std::u16string_view, std::int32_t status) {
  EventArgs args{EventKind::Notify, Routing::Direct, kNavigateError, status, 0};
  RaiseEvent(args);
}

void WebBrowser::OnAttached(void*, Control* sender, EventArgs&) {
  auto* self = static_cast<WebBrowser*>(sender);
  UiRuntime* runtime = UiRuntime::Instance();
  void* native = self->window() ? self->window()->NativeHandle() : nullptr;
  if (!runtime || !native || self->view_) return;
  self->view_ = runtime->platform().CreateBrowserView(native, *self);
  if (!self->view_) return;
  self->bounds_ = self->GetWindowRect();
  self->view_->SetBounds(self->bounds_);
  self->view_->SetVisible(self->HasFlag(ControlFlags::IsVisible));
  if (!self->url_.empty()) self->view_->Navigate(self->url_);
}

void WebBrowser::OnDetached(void*, Control* sender, EventArgs&) { static_cast<WebBrowser*>(sender)->view_.reset(); }

void WebBrowser::OnVisibleChanged(void*, Control* sender, EventArgs& args) {
  auto* self = static_cast<WebBrowser*>(sender);
  if (self->view_) self->view_->SetVisible(args.param1 != 0);
}

}  // namespace vcam::dui
