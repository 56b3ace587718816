#include "launcher/windows/alert_window.h"

#include "common/win/wide.h"
#include "dui/controls/confirm_button.h"
#include "dui/core/attribute_names.h"
#include "dui/runtime/ui_runtime.h"
#include "launcher/windows/alert_layout.h"
#include "launcher/windows/control_swap.h"

namespace vcam::launcher {

namespace {

constexpr DWORD kAlertExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr std::int32_t kMeasureWidth = 800;
constexpr std::int32_t kMeasureHeight = 600;

std::u16string text16(const std::wstring& s) { return std::u16string(u16(s.c_str(), s.size())); }

dui::Control* find_in(dui::Control* root, std::int32_t id) {
  if (!root) return nullptr;
  std::int32_t value = 0;
  if (root->FindValue(dui::attr::id, &value) && value == id) return root;
  if (auto* panel = dynamic_cast<dui::Panel*>(root))
    for (dui::Control* c = panel->first_child(); c; c = c->next())
      if (dui::Control* hit = find_in(c, id)) return hit;
  return nullptr;
}

void set_text(dui::Control* c, const std::wstring& text) {
  if (c) c->SetText(text16(text));
}

void measure_and_arrange(dui::Control& root, std::int32_t width, std::int32_t height) {
  root.Measure(width, height);
  const dui::Size desired = root.desired();
  root.Arrange(0, 0, desired.cx, desired.cy);
}

}  // namespace

LRESULT alert_window::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return on_create();
    case WM_KEYDOWN:
      if (wparam == VK_RETURN) EndDialog(1);
      if (wparam == VK_ESCAPE) EndDialog(2);
      return 0;
    default:
      return shadowed_window::WindowProc(message, wparam, lparam);
  }
}

LRESULT alert_window::on_create() {
  dui::UiRuntime* runtime = dui::UiRuntime::Instance();
  std::unique_ptr<dui::Control> root = runtime ? runtime->LoadLayout(u"alertwindow.xml") : nullptr;
  // The confirm buttons keep their layout attributes but paint as
  // ConfirmButtons. Done before the tree is attached, so the swap is silent.
  for (std::int32_t id : {alert_ids::one_button_confirm, alert_ids::two_button_confirm})
    if (dui::Control* button = find_in(root.get(), id)) make_control_class<dui::ConfirmButton>(*button);
  SetRoot(std::move(root));
  create_shadow();
  if (!this->root()) return 0;

  set_text(GetChild(alert_ids::title), request_.title);
  set_text(GetChild(alert_ids::message), request_.message);
  for (std::int32_t id : {alert_ids::close, alert_ids::cancel})
    if (dui::Control* c = GetChild(id)) c->AddHandler(dui::EventKind::Click, this, &alert_window::decline);
  for (std::int32_t id : {alert_ids::one_button_confirm, alert_ids::two_button_confirm})
    if (dui::Control* c = GetChild(id)) c->AddHandler(dui::EventKind::Click, this, &alert_window::confirm);

  fit_window(/*move=*/true);
  apply_buttons();
  return 0;
}

void alert_window::fit_window(bool move) {
  dui::Control* root = this->root();
  if (!root) return;
  measure_and_arrange(*root, kMeasureWidth, kMeasureHeight);
  const dui::Rect r = root->rect();
  ::SetWindowPos(hwnd_, nullptr, 0, 0, r.width(), r.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | (move ? 0u : static_cast<UINT>(SWP_NOMOVE)));
  CenterScreen();
}

void alert_window::apply_buttons() {
  dui::Control* root = this->root();
  if (!root) return;
  set_text(GetChild(alert_ids::one_button_confirm), request_.confirm_text);
  set_text(GetChild(alert_ids::two_button_confirm), request_.confirm_text);
  set_text(GetChild(alert_ids::cancel), request_.cancel_text);
  if (!request_.two_buttons) {
    if (dui::Control* group = GetChild(alert_ids::two_button_group)) group->SetVisible(false);
    return;
  }
  if (dui::Control* group = GetChild(alert_ids::one_button_group)) group->SetVisible(false);
  const dui::Rect bounds = root->rect();
  const alert_button_split split = split_alert_buttons(bounds.width());
  if (dui::Control* confirm = GetChild(alert_ids::two_button_confirm))
    confirm->SetValue(dui::attr::width, split.confirm_width);
  if (dui::Control* side = GetChild(alert_ids::cancel_side)) {
    dui::Rect margin = side->GetRect(dui::attr::margin);
    margin.left = split.cancel_left_margin;
    side->SetRect(dui::attr::margin, margin);
  }
  if (dui::Control* cancel = GetChild(alert_ids::cancel)) cancel->SetValue(dui::attr::width, split.cancel_width);
  root->Measure(bounds.width(), bounds.height());
  root->Arrange(0, 0, bounds.width(), bounds.height());
  root->Invalidate();
}

void alert_window::add_lines(const std::vector<std::wstring>& lines) {
  auto* notes = dynamic_cast<dui::Panel*>(GetChild(alert_ids::notes));
  if (!notes || !root()) return;
  std::vector<std::u16string> texts;
  texts.reserve(lines.size());
  for (const std::wstring& line : lines) texts.push_back(text16(line));
  add_note_lines(*notes, texts);
  fit_window(/*move=*/false);
  apply_buttons();
}

void alert_window::confirm(void* context, dui::Control*, dui::EventArgs&) {
  static_cast<alert_window*>(context)->EndDialog(1);
}

void alert_window::decline(void* context, dui::Control*, dui::EventArgs&) {
  static_cast<alert_window*>(context)->EndDialog(2);
}

namespace {

int run_alert(const alert_request& request, const std::vector<std::wstring>* lines) {
  auto* window = new alert_window(request);
  if (!window->Create(kAlertExStyle, WS_POPUP, 0, 0, 0, 0, nullptr)) {
    delete window;
    return 0;
  }
  const HWND hwnd = window->hwnd();
  if (lines) window->add_lines(*lines);
  const int result = window->ShowDialog();
  // With 0 the window is already gone (destroyed in the loop or by a quit).
  if (result != 0) ::DestroyWindow(hwnd);
  return result;
}

}  // namespace

int show_alert(const alert_request& request) { return run_alert(request, nullptr); }

int show_alert_with_lines(const alert_request& request, const std::vector<std::wstring>& lines) {
  return run_alert(request, &lines);
}

}  // namespace vcam::launcher
