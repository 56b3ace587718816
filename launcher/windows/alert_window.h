#pragma once
// The launcher's modal message: a title, a message, optional note lines and
// one confirm button or a confirm / cancel pair, from "alertwindow.xml".
// Results: 1 confirmed (a confirm button or Enter), 2 declined (the close or
// cancel button, or Escape), 0 when the window went away during the loop.
#include <cstdint>
#include <string>
#include <vector>

#include "launcher/windows/shadowed_window.h"

namespace vcam::launcher {

struct alert_request {
  bool two_buttons = false;
  std::wstring message, title, confirm_text, cancel_text;
};

class alert_window : public shadowed_window {
 public:
  explicit alert_window(alert_request request) : request_(std::move(request)) {}

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

  // Adds the note lines under the message, grows the window to fit and
  // centres it again. After Create.
  void add_lines(const std::vector<std::wstring>& lines);

 private:
  LRESULT on_create();
  // Measures the root in 800 x 600 and sizes the window to it; `move` puts
  // it at (0, 0) first.
  void fit_window(bool move);
  // The confirm and cancel texts, and the group of the mode.
  void apply_buttons();

  static void confirm(void* context, dui::Control* sender, dui::EventArgs& args);
  static void decline(void* context, dui::Control* sender, dui::EventArgs& args);

  alert_request request_;
};

// Shows the request as a modal alert; the result as above.
int show_alert(const alert_request& request);
// The same with note lines under the message.
int show_alert_with_lines(const alert_request& request, const std::vector<std::wstring>& lines);

}  // namespace vcam::launcher
