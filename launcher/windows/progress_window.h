#pragma once
// The modal progress window of the decoder and patcher downloads: a status
// line, a bar and a percentage, from "progresswindow.xml". The job's worker
// reaches it only through closures the message window runs on the UI thread.
//
//   auto* w = new progress_window(text, total);   // deletes itself with its window
//   w->Create(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP, 0, 0, 0, 0, nullptr);
//   const int result = w->ShowDialog();           // ended by set_result
//   ::DestroyWindow(hwnd);
#include <cstdint>
#include <string>

#include "launcher/windows/shadowed_window.h"

namespace vcam::launcher {

class progress_window : public shadowed_window {
 public:
  // The layout's ids.
  static constexpr std::int32_t kStatusLabel = 1001;
  static constexpr std::int32_t kBar = 1002;
  static constexpr std::int32_t kPercentLabel = 1003;

  progress_window(std::wstring text, unsigned maximum);

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

  // UI thread. The bar stops at the maximum; the label does not.
  void set_progress(unsigned value);
  // UI thread: ends the modal loop with `result` (1 or 2).
  void set_result(int result);

  unsigned maximum() const { return maximum_; }

 private:
  LRESULT on_create();

  unsigned maximum_;
  std::wstring text_;
};

}  // namespace vcam::launcher
