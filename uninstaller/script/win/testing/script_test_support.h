#pragma once
// Helpers of the script tests: a worker-kind state with the system functions
// that runs script text and describes results, helper processes, and a
// watcher that reads and answers a message box.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/text_utf.h"
#include "common/win/folders.h"
#include "common/win/testing/program_run.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "uninstaller/script/script_args.h"
#include "uninstaller/script/script_state.h"
#include "uninstaller/script/testing/recording_output.h"
#include "uninstaller/script/win/system_functions.h"

namespace vcam::uninstaller::testing {

// A Lua long-bracket literal of UTF-8 text (paths hold backslashes).
inline std::string lua_literal(const std::string& text) { return "[==[" + text + "]==]"; }
inline std::string lua_literal(const std::u16string& text) { return lua_literal(utf16_to_utf8(text)); }
inline std::string lua_literal(const std::filesystem::path& path) { return lua_literal(path.u16string()); }

// A worker-kind state as the uninstaller makes one.
class ScriptRunner {
 public:
  ScriptRunner() : state_(setup(&output_)) {}

  // Runs the text; the error text when it failed.
  std::optional<std::string> run(const std::string& text) { return state_.run_string(text.c_str()); }

  // The results of `return <expressions>`, described: "(none)" for no
  // result, else each as nil / true / false / a number / "quoted text",
  // joined by ",".
  std::string results(const std::string& expressions) {
    lua_State* L = state_.get();
    const int top = lua_gettop(L);
    const std::string chunk = "return " + expressions;
    if (luaL_loadstring(L, chunk.c_str()) != LUA_OK || lua_pcall(L, 0, LUA_MULTRET, 0) != LUA_OK) {
      const std::string error = pop_error_text(L);
      lua_settop(L, top);
      return "error: " + error;
    }
    std::string out;
    for (int i = top + 1; i <= lua_gettop(L); ++i) {
      if (!out.empty()) out += ",";
      switch (lua_type(L, i)) {
        case LUA_TNIL: out += "nil"; break;
        case LUA_TBOOLEAN: out += lua_toboolean(L, i) ? "true" : "false"; break;
        case LUA_TNUMBER: out += text_arg(L, i); break;
        case LUA_TSTRING: out += "\"" + text_arg(L, i) + "\""; break;
        default: out += lua_typename(L, lua_type(L, i)); break;
      }
    }
    lua_settop(L, top);
    return out.empty() ? "(none)" : out;
  }

  lua_State* get() const { return state_.get(); }
  RecordingOutput& output() { return output_; }

 private:
  static ScriptSetup setup(ScriptOutput* output) {
    ScriptSetup s;
    s.kind = ScriptKind::worker;
    s.groups = {kSystemFunctions};
    s.numbers = registry_root_numbers();
    s.output = output;
    return s;
  }

  RecordingOutput output_;
  ScriptState state_;
};

// The helper program beside the test, or a copy of it elsewhere.
inline std::filesystem::path peer_program() {
  return std::filesystem::path(application_folder()) / "script_test_peer.exe";
}
inline std::filesystem::path copy_peer(const std::filesystem::path& to) {
  std::filesystem::create_directories(to.parent_path());
  std::filesystem::copy_file(peer_program(), to, std::filesystem::copy_options::overwrite_existing);
  return to;
}

class Peer {
 public:
  Peer(const std::filesystem::path& program, const std::wstring& args)
      : process_(vcam::testing::start_program(L"\"" + program.wstring() + L"\" " + args)) {}
  ~Peer() {
    if (process_ && !ended(0)) {
      ::TerminateProcess(process_.get(), 99);
      ::WaitForSingleObject(process_.get(), 10000);
    }
  }
  Peer(Peer&&) = default;
  explicit operator bool() const { return static_cast<bool>(process_); }
  bool ended(DWORD wait_ms) const { return ::WaitForSingleObject(process_.get(), wait_ms) == WAIT_OBJECT_0; }
  DWORD exit_code() const {
    DWORD code = 12345;
    ::GetExitCodeProcess(process_.get(), &code);
    return code;
  }

 private:
  UniqueHandle process_;
};

// Waits on its own thread for a message box with `caption`, records its text
// and presses OK.
class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(std::wstring caption)
      : caption_(std::move(caption)), thread_([this] { watch(); }) {}
  ~MessageBoxAnswerer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  // After the box was answered (or the watch gave up): its text.
  std::optional<std::string> text() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return text_;
  }

 private:
  void watch() {
    // Polled: the box appears on another thread at a moment the test cannot
    // see. 30 s at most, so a box that never comes fails the test rather
    // than hanging it.
    for (int i = 0; i < 1500 && !stop_; ++i) {
      if (HWND box = ::FindWindowW(L"#32770", caption_.c_str())) {
        wchar_t buffer[4096] = {};
        ::GetDlgItemTextW(box, 0xFFFF, buffer, 4096);
        text_ = utf16_to_utf8(u16(buffer));
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
      }
      ::Sleep(20);
    }
  }

  std::wstring caption_;
  std::atomic<bool> stop_{false};
  std::optional<std::string> text_;
  std::thread thread_;
};

}  // namespace vcam::uninstaller::testing
