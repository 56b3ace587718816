#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "dui/core/control.h"
#include "dui/runtime/browser_view.h"

namespace vcam::dui {

// Element "WebBrowser": the platform's web browser over the control's
// rectangle while the control is attached to a platform window. Where the
// platform has no browser (or it cannot be made) the control stays empty: it
// paints nothing and navigation fails. Raises Notify (Direct) with param1 =
// kDocumentComplete or kNavigateError (param2 = the status) as pages load.
class WebBrowser : public Control, private BrowserEvents {
 public:
  static constexpr std::intptr_t kDocumentComplete = 1;
  static constexpr std::intptr_t kNavigateError = 2;

  WebBrowser();
  ~WebBrowser() override;

  // Positions the browser; draws nothing of its own.
  void Paint(Painter& painter, const Rect& rect, const Rect& clip) override;

  // Remembered, and loaded now when the browser exists or as soon as it is
  // made. False when there is no browser or the navigation did not start.
  bool Navigate(std::u16string_view url);
  const std::u16string& url() const { return url_; }
  bool has_browser() const { return view_ != nullptr; }
  // The URL of the last finished page, empty before one.
  const std::u16string& loaded_url() const { return loaded_; }

 private:
  void DocumentComplete(std::u16string_view url) override;
  void NavigateError(std::u16string_view url, std::int32_t status) override;

  static void OnAttached(void* context, Control* sender, EventArgs& args);
  static void OnDetached(void* context, Control* sender, EventArgs& args);
  static void OnVisibleChanged(void* context, Control* sender, EventArgs& args);

  std::unique_ptr<BrowserView> view_;
  std::u16string url_;
  std::u16string loaded_;
  Rect bounds_;
};

}  // namespace vcam::dui
