#include "launcher/assets/win/testing/launcher_ui_session.h"

#include <map>
#include <utility>

#include "common/win/wide.h"
#include "dui/core/panel.h"
#include "dui/core/attribute_names.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/win/ui_runtime_win.h"
#include "dui/win/window_base.h"
#include "launcher/async/win/message_window.h"
#include "launcher/async/win/task_runner.h"
#include "launcher/pack/zelopack_file_source.h"
#include "launcher/windows/alert_window.h"

namespace vcam::launcher::wintest {
namespace {

std::u16string own_folder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::u16string p(u16(path, n));
  return p.substr(0, p.rfind(u'\\') + 1);
}

std::map<UINT_PTR, std::function<bool()>>& timers() {
  static std::map<UINT_PTR, std::function<bool()>> all;
  return all;
}

dui::Control* find_in(dui::Control* root, std::int32_t id) {
  if (!root) return nullptr;
  std::int32_t value = 0;
  if (root->FindValue(dui::attr::id, &value) && value == id) return root;
  if (auto* panel = dynamic_cast<dui::Panel*>(root))
    for (dui::Control* c = panel->first_child(); c; c = c->next())
      if (dui::Control* hit = find_in(c, id)) return hit;
  return nullptr;
}

// A left click in the middle of `control`, as the mouse would make it.
void click(dui::WindowImpl& window, const dui::Control* control) {
  if (!control) return;
  const dui::Rect r = control->GetWindowRect();
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  const HWND hwnd = window.hwnd();
  POINT screen{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ::ClientToScreen(hwnd, &screen);
  ::SetCursorPos(screen.x, screen.y);
  ::SendMessageW(hwnd, WM_MOUSEMOVE, 0, at);
  ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(hwnd, WM_LBUTTONUP, 0, at);
}

BOOL CALLBACK collect_visible(HWND window, LPARAM out) {
  if (::IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(out)->push_back(window);
  return TRUE;
}

}  // namespace

launcher_ui_session::launcher_ui_session() {
  test_name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  server = vcam::testing::https_test_server::from_environment();
  if (!server.available()) {
    ADD_FAILURE() << "run through ctest: the https_server fixture sets VCAM_HTTPS_STATE";
    return;
  }
  const std::string base = server.url("/config/");
  ::SetEnvironmentVariableW(L"VCAM_CONFIG_SERVER", std::wstring(base.begin(), base.end()).c_str());

  toolkit_ = dui::Initialize(u"vcam_launcher_net_test");
  if (!toolkit_) {
    ADD_FAILURE() << "the UI toolkit did not start";
    return;
  }
  dui::UiRuntime& runtime = *dui::UiRuntime::Instance();
  runtime.SetPackOpener(open_zelopack_source);
  const std::u16string resources = own_folder() + u"resource\\";
  if (!runtime.LoadSkinPack(resources + u"style_pro.zeloz")) {
    ADD_FAILURE() << "no skin pack beside the test (build the host target `art`)";
    return;
  }
  runtime.OpenLayoutPack(resources + u"frame_pro.zeloz");
  if (!start_task_runner() || !create_message_window(u"zelovcam_launcher_mq")) {
    ADD_FAILURE() << "no task runner or message window";
    return;
  }
  session.application_folder = folder.path().u16string() + u"\\";
  session.current_version = std::u16string(test_name.begin(), test_name.end());
  session.splash = &splash;
  ready_ = true;
}

launcher_ui_session::~launcher_ui_session() {
  // Jobs first (they may still post), then the window that runs their posts.
  stop_task_runner();
  destroy_message_window();
  if (toolkit_) dui::Shutdown();
  ::SetEnvironmentVariableW(L"VCAM_CONFIG_SERVER", nullptr);
}

ui_timer::ui_timer(std::function<bool()> step) {
  id_ = ::SetTimer(nullptr, 0, 50, &ui_timer::tick);
  if (id_) timers()[id_] = std::move(step);
}

ui_timer::~ui_timer() {
  if (!id_) return;
  ::KillTimer(nullptr, id_);
  timers().erase(id_);
}

void CALLBACK ui_timer::tick(HWND, UINT, UINT_PTR id, DWORD) {
  const auto it = timers().find(id);
  if (it == timers().end()) return;
  // A copy: the step may end a modal loop whose caller drops this timer.
  std::function<bool()> step = it->second;
  if (step()) {
    ::KillTimer(nullptr, id);
    timers().erase(id);
  }
}

alert_answerer::alert_answerer(std::vector<WPARAM> keys)
    : keys_(std::move(keys)), timer_([this] {
        if (answered_) {
          if (!::IsWindow(answered_) || !::IsWindowVisible(answered_)) {
            answered_ = nullptr;
          } else if (++ticks_since_answer_ >= 40) {
            ++stuck;
            ::DestroyWindow(std::exchange(answered_, nullptr));
          }
          return false;
        }
        if (keys_.empty()) return true;
        std::vector<HWND> visible;
        ::EnumThreadWindows(::GetCurrentThreadId(), collect_visible, reinterpret_cast<LPARAM>(&visible));
        for (HWND window : visible) {
          auto* alert = dynamic_cast<alert_window*>(dui::WindowBase::FromHandle(window));
          if (!alert) continue;
          alert_seen s;
          dui::Control* root = alert->root();
          if (dui::Control* c = find_in(root, 1001)) s.title = c->GetText();
          if (dui::Control* c = find_in(root, 1003)) s.message = c->GetText();
          if (auto* notes = dynamic_cast<dui::Panel*>(find_in(root, 2000)))
            for (dui::Control* c = notes->first_child(); c; c = c->next()) s.lines.push_back(c->GetText());
          if (dui::Control* group = find_in(root, 1006)) s.two_buttons = group->HasFlag(dui::ControlFlags::Visible);
          seen.push_back(std::move(s));
          if (keys_.front() == kClickCloseButton) {
            click(*alert, find_in(root, 1002));
          } else {
            ::PostMessageW(window, WM_KEYDOWN, keys_.front(), 0);
          }
          keys_.erase(keys_.begin());
          answered_ = window;
          ticks_since_answer_ = 0;
          break;
        }
        return false;
      }) {}

bool pump_until(const std::function<bool()>& done) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > 20000) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  return true;
}

}  // namespace vcam::launcher::wintest
