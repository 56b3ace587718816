#pragma once
// What the launcher's network steps need around them in a Windows test: the
// UI toolkit with the shipped packs (staged beside the test as
// "resource\style_pro.zeloz" and "resource\frame_pro.zeloz"), the task runner
// and the message window on this (UI) thread, the fixture server named as the
// configuration server, and a splash that records what it was asked to do.
// Also the way a test answers the launcher's modal windows: a thread timer
// that runs during their modal loops.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/testing/scratch_folder.h"
#include "launcher/application/splash_window_interface.h"
#include "launcher/remote/launcher_session.h"
#include "tools/https_server/https_test_server.h"

namespace vcam::launcher::wintest {

class recording_splash final : public splash_window_interface {
 public:
  void show_text(const char16_t* text) override { calls.push_back("show " + std::to_string(text != nullptr)); }
  void hide(bool destroy) override { calls.push_back(destroy ? "hide destroy" : "hide"); }
  std::vector<std::string> calls;
};

// The per-test environment. Construct it in SetUp with ASSERT_NO_FATAL_FAILURE.
class launcher_ui_session {
 public:
  launcher_ui_session();
  ~launcher_ui_session();
  launcher_ui_session(const launcher_ui_session&) = delete;
  launcher_ui_session& operator=(const launcher_ui_session&) = delete;

  // False (with the reason logged by gtest) when something could not start.
  bool ready() const { return ready_; }

  vcam::testing::https_test_server server;
  vcam::testing::ScratchFolder folder{"launcher_net_"};
  recording_splash splash;
  launcher_session session;
  // A name for this test's files on the server (versions, folders).
  std::string test_name;

 private:
  bool ready_ = false;
  bool toolkit_ = false;
};

// Runs `step` on this thread every 50 ms while messages are dispatched (the
// launcher's modal loops dispatch them) until it returns true or the guard is
// dropped.
class ui_timer {
 public:
  explicit ui_timer(std::function<bool()> step);
  ~ui_timer();
  ui_timer(const ui_timer&) = delete;
  ui_timer& operator=(const ui_timer&) = delete;

 private:
  static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD);
  UINT_PTR id_ = 0;
};

// What an alert showed, read from its controls.
struct alert_seen {
  std::u16string title;
  std::u16string message;
  std::vector<std::u16string> lines;
  bool two_buttons = false;
};

// Answers the launcher's alerts on this thread in order: each answer is a key
// (VK_RETURN or VK_ESCAPE) sent to the next visible alert, or a click on its
// close button 1002 (kClickCloseButton), after recording what it showed.
inline constexpr WPARAM kClickCloseButton = 0x1002;
class alert_answerer {
 public:
  explicit alert_answerer(std::vector<WPARAM> keys);
  std::vector<alert_seen> seen;
  // An answered alert that stayed up for 2 s is destroyed (ending its loop
  // with 0) and counted here, so that a test fails instead of hanging.
  int stuck = 0;

 private:
  std::vector<WPARAM> keys_;
  HWND answered_ = nullptr;
  int ticks_since_answer_ = 0;
  ui_timer timer_;
};

// Pumps this thread's messages until `done` or 20 s.
bool pump_until(const std::function<bool()>& done);

}  // namespace vcam::launcher::wintest
