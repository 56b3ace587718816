#include "dui/win/browser_site.h"

#include <exdispid.h>

#include <string>

namespace vcam::dui {

namespace {

// The variant an event argument points at (event arguments come by reference).
const VARIANT* Deref(const VARIANT& v) {
  if (V_VT(&v) == (VT_BYREF | VT_VARIANT)) return V_VARIANTREF(&v);
  return &v;
}

std::u16string TextOf(const VARIANT& arg) {
  const VARIANT* v = Deref(arg);
  if (!v) return {};
  const BSTR* text = nullptr;
  if (V_VT(v) == VT_BSTR) text = &V_BSTR(v);
  if (V_VT(v) == (VT_BYREF | VT_BSTR)) text = V_BSTRREF(v);
  if (!text || !*text) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(*text), ::SysStringLen(*text));
}

std::int32_t IntOf(const VARIANT& arg) {
  const VARIANT* v = Deref(arg);
  if (!v) return 0;
  if (V_VT(v) == VT_I4) return V_I4(v);
  if (V_VT(v) == (VT_BYREF | VT_I4) && V_I4REF(v)) return *V_I4REF(v);
  return 0;
}

}  // namespace

BrowserSite::BrowserSite(HWND window, BrowserEvents* events) : window_(window), events_(events) {}

HRESULT BrowserSite::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  void* found = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite)
    found = static_cast<IOleClientSite*>(this);
  else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
    found = static_cast<IOleInPlaceSite*>(this);
  else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
    found = static_cast<IOleInPlaceFrame*>(this);
  else if (iid == IID_IDocHostUIHandler)
    found = static_cast<IDocHostUIHandler*>(this);
  else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2)
    found = static_cast<DWebBrowserEvents2*>(this);
  if (!found) return E_NOINTERFACE;
  AddRef();
  *object = found;
  return S_OK;
}

ULONG BrowserSite::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }

ULONG BrowserSite::Release() {
  const LONG left = ::InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT BrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) { return moniker ? E_NOTIMPL : E_POINTER; }

HRESULT BrowserSite::GetContainer(IOleContainer** container) { return container ? E_NOINTERFACE : E_POINTER; }

HRESULT BrowserSite::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = window_;
  return S_OK;
}

HRESULT BrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position,
                                      RECT* clip, OLEINPLACEFRAMEINFO* info) {
  if (!frame || !document || !position || !clip || !info) return E_POINTER;
  AddRef();
  *frame = static_cast<IOleInPlaceFrame*>(this);
  *document = nullptr;
  *position = bounds_;
  *clip = bounds_;
  info->fMDIApp = FALSE;
  info->hwndFrame = window_;
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

HRESULT BrowserSite::OnPosRectChange(const RECT* position) {
  if (!position) return E_POINTER;
  // The layout decides where the browser goes; its own wishes are ignored.
  return S_OK;
}

HRESULT BrowserSite::GetHostInfo(DOCHOSTUIINFO* info) {
  if (!info) return E_POINTER;
  if (info->cbSize < sizeof(DOCHOSTUIINFO)) return E_INVALIDARG;
  info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER;
  info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
  return S_OK;
}

HRESULT BrowserSite::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT BrowserSite::Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
  if (!params) return E_POINTER;
  if (!events_) return S_OK;
  // Arguments arrive last first: rgvarg[0] is the last parameter.
  const UINT count = params->cArgs;
  const VARIANT* args = params->rgvarg;
  if (member == DISPID_DOCUMENTCOMPLETE && count >= 2 && args) {
    events_->DocumentComplete(TextOf(args[0]));  // (pDisp, URL)
  } else if (member == DISPID_NAVIGATEERROR && count >= 5 && args) {
    events_->NavigateError(TextOf(args[3]), IntOf(args[1]));  // (pDisp, URL, Frame, StatusCode, Cancel)
  }
  return S_OK;
}

}  // namespace vcam::dui
