#pragma once
// The platform's web browser placed in a window: what the WebBrowser control
// drives, and what it hears back. Windows hosts the system browser through
// OLE (dui/win/browser_site.h); platforms without one make none.
#include <string>
#include <string_view>

#include "dui/core/geometry.h"

namespace vcam::dui {

class BrowserEvents {
 public:
  virtual ~BrowserEvents() = default;
  // A page (or frame) finished loading.
  virtual void DocumentComplete(std::u16string_view url) = 0;
  // Loading stopped with an error (an HTTP status or a system code).
  virtual void NavigateError(std::u16string_view url, std::int32_t status) = 0;
};

class BrowserView {
 public:
  virtual ~BrowserView() = default;
  // Client coordinates of the window it was made in.
  virtual void SetBounds(const Rect& rect) = 0;
  virtual void SetVisible(bool visible) = 0;
  // False when the navigation could not start.
  virtual bool Navigate(std::u16string_view url) = 0;
};

}  // namespace vcam::dui
