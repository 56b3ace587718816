#include "launcher/windows/progress_window.h"

#include "common/win/wide.h"
#include "dui/controls/progress_bar.h"
#include "dui/runtime/ui_runtime.h"
#include "launcher/windows/progress_display.h"

namespace vcam::launcher {

progress_window::progress_window(std::wstring text, unsigned maximum) : maximum_(maximum), text_(std::move(text)) {}

LRESULT progress_window::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CREATE) return on_create();
  return shadowed_window::WindowProc(message, wparam, lparam);
}

LRESULT progress_window::on_create() {
  if (dui::UiRuntime* runtime = dui::UiRuntime::Instance()) SetRoot(runtime->LoadLayout(u"progresswindow.xml"));
  create_shadow();
  if (dui::Control* status = GetChild(kStatusLabel)) status->SetText(std::u16string(u16(text_.c_str(), text_.size())));
  if (auto* bar = dynamic_cast<dui::ProgressBar*>(GetChild(kBar))) {
    const progress_bar_values values = progress_bar_for(0, maximum_);
    bar->range = values.range;
    bar->Invalidate();
  }
  CenterScreen();
  return 0;
}

void progress_window::set_progress(unsigned value) {
  if (auto* bar = dynamic_cast<dui::ProgressBar*>(GetChild(kBar))) {
    const progress_bar_values values = progress_bar_for(value, maximum_);
    bar->range = values.range;
    bar->position = values.position;
    bar->Invalidate();
  }
  if (dui::Control* percent = GetChild(kPercentLabel)) percent->SetText(progress_percent_text(value, maximum_));
}

void progress_window::set_result(int result) { EndDialog(result); }

}  // namespace vcam::launcher
