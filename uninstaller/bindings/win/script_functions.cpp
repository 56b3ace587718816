#include "uninstaller/bindings/win/script_functions.h"

#include <windows.h>
#include <ole2.h>

#include <memory>
#include <mutex>
#include <string>

#include "common/text_utf.h"
#include "uninstaller/bindings/bookkeeping_calls.h"
#include "uninstaller/bindings/method_tables.h"
#include "uninstaller/bindings/notify_task.h"
#include "uninstaller/bindings/win/script_window.h"
#include "uninstaller/bindings/win/ui_dispatcher.h"
#include "uninstaller/bindings/win/window_methods.h"
#include "uninstaller/bindings/win/window_state_bindings.h"
#include "uninstaller/script/script_args.h"
#include "uninstaller/script/win/script_host.h"

namespace vcam::uninstaller {

namespace {

// The script name of the next worker: one process-wide slot, written by
// startWork and read by the worker it starts.
class NextWorkerScript {
 public:
  static void set(std::u16string name) {
    std::lock_guard<std::mutex> guard(lock());
    slot() = std::move(name);
  }
  static std::u16string get() {
    std::lock_guard<std::mutex> guard(lock());
    return slot();
  }

 private:
  static std::mutex& lock() {
    static std::mutex m;
    return m;
  }
  static std::u16string& slot() {
    static std::u16string name;
    return name;
  }
};

// The text a failing worker answers for, so that the window moves on.
constexpr std::string_view kWorkerFailed = "{code=2}";

// Why createWindow made nothing, raised as the script's error after every
// C++ object of the call is gone.
enum class CreateFailure { none, no_layout, no_memory };

CreateFailure create_window(lua_State* L) {
  const std::u16string layout = wide_arg(L, 1);
  const DWORD style = lua_gettop(L) >= 2 ? static_cast<DWORD>(integer_arg(L, 2)) : WS_POPUP;
  WindowStateBindings* bindings = WindowStateBindings::ensure(L);
  if (!bindings) return CreateFailure::no_memory;
  ScriptWindow* window = ScriptWindow::Open(L, *bindings, layout, style);
  if (!window) return CreateFailure::no_layout;
  if (push_method_table(L, kWindowMethods)) {
    ::DestroyWindow(window->hwnd());
    return CreateFailure::no_memory;
  }
  add_window(L, lua_gettop(L), window);
  return CreateFailure::none;
}

int l_createWindow(lua_State* L) {
  switch (create_window(L)) {
    case CreateFailure::none:
      return 1;
    case CreateFailure::no_layout:
      // The temporaries are gone at the end of the condition.
      if (!push_text(L, "createWindow: cannot load the layout " + text_arg(L, 1))) lua_pushliteral(L, "createWindow");
      return lua_error(L);
    case CreateFailure::no_memory:
      break;
  }
  lua_pushliteral(L, "not enough memory");
  return lua_error(L);
}

DWORD WINAPI worker_routine(void*) {
  const HRESULT ole = ::OleInitialize(nullptr);
  const std::u16string name = NextWorkerScript::get();
  ScriptHost* host = ScriptHost::instance();
  // The host reported the failure ("错误#1"); the window still has to move on.
  if (!host || !host->run_worker_script(name, kWorkerFunctions)) {
    if (UiDispatcher* dispatcher = UiDispatcher::instance())
      dispatcher->post(std::make_shared<NotifyTask>(std::string(kWorkerFailed), &deliver_notification));
  }
  if (SUCCEEDED(ole)) ::OleUninitialize();
  return 0;
}

int l_startWork(lua_State* L) {
  UiDispatcher* dispatcher = UiDispatcher::instance();
  // A worker that could not be joined before the program deletes its files
  // is not started.
  if (!dispatcher || !dispatcher->active()) return 0;
  NextWorkerScript::set(wide_arg(L, 1));
  if (HANDLE thread = ::CreateThread(nullptr, 0, &worker_routine, nullptr, 0, nullptr))
    dispatcher->add_worker(thread);
  return 0;
}

int l_notifyMessage(lua_State* L) {
  const std::int32_t answer = notify_window(text_arg(L, 1));
  lua_pushnumber(L, answer);
  return 1;
}

}  // namespace

std::int32_t deliver_notification(std::string_view text) {
  WindowStateBindings* bindings = WindowStateBindings::current();
  if (!bindings || bindings->closing()) return 0;
  return bindings->subscribers().send(text);
}

std::int32_t notify_window(std::string_view text) {
  // Gives the window time to paint between the procedure's steps.
  ::Sleep(20);
  return post_notification(text);
}

std::int32_t post_notification(std::string_view text) {
  UiDispatcher* dispatcher = UiDispatcher::instance();
  if (!dispatcher) return 0;
  auto task = std::make_shared<NotifyTask>(std::string(text), &deliver_notification);
  if (dispatcher->post(task) != 0) return 0;
  return task->wait();
}

const luaL_Reg kWindowFunctions[] = {{"createWindow", l_createWindow}, {"startWork", l_startWork}, {nullptr, nullptr}};

const luaL_Reg kWorkerFunctions[] = {{"notifyMessage", l_notifyMessage}, {nullptr, nullptr}};

}  // namespace vcam::uninstaller
