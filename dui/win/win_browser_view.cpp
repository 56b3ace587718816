#include "dui/win/win_browser_view.h"

#include <oleauto.h>

#include <string>

#include "dui/win/browser_site.h"

namespace vcam::dui {

namespace {

struct BstrFree {
  void operator()(BSTR text) const { ::SysFreeString(text); }
};
using Bstr = std::unique_ptr<OLECHAR, BstrFree>;

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

WinBrowserView::WinBrowserView(BrowserSite* site) : site_(site) {}

std::unique_ptr<WinBrowserView> WinBrowserView::Create(HWND window, BrowserEvents& events, REFCLSID clsid) {
  if (!window) return nullptr;
  // From here on the destructor undoes whatever was done.
  std::unique_ptr<WinBrowserView> view(new WinBrowserView(new BrowserSite(window, &events)));
  if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&view->object_))))
    return nullptr;
  if (FAILED(view->object_->SetClientSite(view->site_))) return nullptr;
  if (FAILED(view->object_.As(&view->browser_))) return nullptr;
  RECT empty{};
  if (FAILED(view->object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, view->site_, 0, window, &empty)))
    return nullptr;
  // Events are welcome but not required.
  Microsoft::WRL::ComPtr<IConnectionPointContainer> points;
  if (SUCCEEDED(view->object_.As(&points)) &&
      SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, &view->events_point_))) {
    DWORD cookie = 0;
    if (SUCCEEDED(view->events_point_->Advise(static_cast<DWebBrowserEvents2*>(view->site_), &cookie)))
      view->events_cookie_ = cookie;
    else
      view->events_point_.Reset();
  }
  return view;
}

WinBrowserView::~WinBrowserView() {
  Close();
  site_->ForgetEvents();
  site_->Release();
}

void WinBrowserView::Close() {
  if (events_point_ && events_cookie_) events_point_->Unadvise(events_cookie_);
  events_point_.Reset();
  if (object_) {
    Microsoft::WRL::ComPtr<IOleInPlaceObject> in_place;
    if (SUCCEEDED(object_.As(&in_place))) in_place->InPlaceDeactivate();
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
  }
  browser_.Reset();
  object_.Reset();
}

void WinBrowserView::SetBounds(const Rect& rect) {
  const RECT r = ToRect(rect);
  site_->set_bounds(r);
  Microsoft::WRL::ComPtr<IOleInPlaceObject> in_place;
  if (object_ && SUCCEEDED(object_.As(&in_place))) in_place->SetObjectRects(&r, &r);
}

HWND WinBrowserView::browser_window() const {
  Microsoft::WRL::ComPtr<IOleInPlaceObject> in_place;
  HWND window = nullptr;
  if (object_ && SUCCEEDED(object_.As(&in_place)) && SUCCEEDED(in_place->GetWindow(&window))) return window;
  return nullptr;
}

void WinBrowserView::SetVisible(bool visible) {
  if (HWND window = browser_window()) ::ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
}

bool WinBrowserView::Navigate(std::u16string_view url) {
  if (!browser_) return false;
  Bstr text(::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(url.data()), static_cast<UINT>(url.size())));
  if (!text) return false;
  VARIANT none;
  ::VariantInit(&none);
  return SUCCEEDED(browser_->Navigate(text.get(), &none, &none, &none, &none));
}

}  // namespace vcam::dui
