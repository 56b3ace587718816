#pragma once
// A window object behind a Win32 window: one shared window procedure finds the
// object through a process-wide handle map and calls its WindowProc. Objects
// are made with new and delete themselves when their window is destroyed.
#include <windows.h>

#include <cstdint>

namespace vcam::dui {

class WindowBase {
 public:
  WindowBase() = default;
  virtual ~WindowBase();
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  // WM_DESTROY logs "WindowBase Destroy!\n" and deletes the object; everything
  // else goes to DefWindowProcW.
  virtual LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam);

  HWND hwnd() const { return hwnd_; }
  std::int32_t dialog_result() const { return dialog_result_; }

  // The procedure of every framework window class.
  static LRESULT CALLBACK SharedWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  // The object of a window, null when it has none (or is gone).
  static WindowBase* FromHandle(HWND hwnd);
  // How many WM_SYSCOMMAND messages the shared procedure is inside now (the
  // system's move and size loops run inside one).
  static int SysCommandDepth();

 protected:
  // Enters hwnd -> this in the handle map and keeps the handle.
  void Adopt(HWND hwnd);

  HWND hwnd_ = nullptr;
  // 0 while a modal loop should run.
  std::int32_t dialog_result_ = 0;
};

}  // namespace vcam::dui
