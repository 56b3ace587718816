#pragma once
// The system web browser in place in a window, over a BrowserSite.
#include <windows.h>
#include <exdisp.h>
#include <ole2.h>
#include <wrl/client.h>

#include <memory>

#include "dui/runtime/browser_view.h"

namespace vcam::dui {

class BrowserSite;

class WinBrowserView : public BrowserView {
 public:
  // Creates the browser object `clsid` (the system's: CLSID_WebBrowser) in
  // place in `window`. Null when it cannot be created or activated (no OLE on
  // the thread, no browser engine installed); nothing is left behind then.
  static std::unique_ptr<WinBrowserView> Create(HWND window, BrowserEvents& events, REFCLSID clsid);
  ~WinBrowserView() override;
  WinBrowserView(const WinBrowserView&) = delete;
  WinBrowserView& operator=(const WinBrowserView&) = delete;

  void SetBounds(const Rect& rect) override;
  void SetVisible(bool visible) override;
  bool Navigate(std::u16string_view url) override;

  // The browser's own window, null before it made one.
  HWND browser_window() const;

 private:
  explicit WinBrowserView(BrowserSite* site);
  void Close();

  BrowserSite* site_;  // one reference
  Microsoft::WRL::ComPtr<IOleObject> object_;
  Microsoft::WRL::ComPtr<IWebBrowser2> browser_;
  Microsoft::WRL::ComPtr<IConnectionPoint> events_point_;
  DWORD events_cookie_ = 0;
};

}  // namespace vcam::dui
