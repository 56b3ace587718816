#pragma once
// The client's main window, class "zelovcam_client", titled "ZeloOlvana - "
// and the version: the window a second launcher start looks for. It lists the
// command lines it receives by WM_COPYDATA, lets the user choose the picture
// the camera shows, and has a restart button that asks the launcher for a
// fresh start.
#include <windows.h>

#include <cstdint>
#include <string>

#include "tools/outside/client/client_autopilot.h"
#include "tools/outside/client/win/picture_pump.h"
#include "tools/outside/logger/rotating_log.h"

namespace vcam::client {

inline constexpr wchar_t kClientWindowClass[] = L"zelovcam_client";

class ClientWindow {
 public:
  ClientWindow(HINSTANCE instance, PicturePump& pump, logger::RotatingLog& log, const ClientAutopilot& autopilot);
  ~ClientWindow();
  ClientWindow(const ClientWindow&) = delete;
  ClientWindow& operator=(const ClientWindow&) = delete;

  bool create(const std::u16string& title, const std::u16string& first_command_line);
  // Runs messages until the window is gone; true when the restart button
  // closed it.
  bool run();
  HWND handle() const { return window_; }

 private:
  static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wp, LPARAM lp);
  LRESULT handle_message(UINT message, WPARAM wp, LPARAM lp);
  void on_created();
  void add_command_line(const std::u16string& text);
  void on_published(std::uint64_t count);

  HINSTANCE instance_;
  PicturePump& pump_;
  logger::RotatingLog& log_;
  ClientAutopilot autopilot_;
  bool registered_ = false;
  HWND window_ = nullptr;
  HWND list_ = nullptr;
  HWND status_ = nullptr;
  HWND restart_ = nullptr;
  HFONT font_ = nullptr;
  bool restart_requested_ = false;
  bool autopilot_fired_ = false;
};

}  // namespace vcam::client
