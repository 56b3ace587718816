#pragma once
// What the launcher window tests share: the toolkit started on the resource
// folder staged beside the test program (the installed layout), message
// pumping, windows found by their objects, and pixels of back buffers.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "dui/core/control.h"
#include "dui/win/back_buffer.h"
#include "dui/win/window_impl.h"

namespace vcam::launcher::wintest {

void Pump();
// Runs messages until `done` or `limit_ms` passed; whether `done` came true.
bool PumpUntil(const std::function<bool()>& done, DWORD limit_ms = 5000);

// Application folder + "resource\" + name.
std::u16string Resource(const char16_t* name);

RECT WindowRect(HWND hwnd);
// Where CenterScreen and the splash put a window of this size.
POINT CentredOrigin(int width, int height);

// The first window of this thread whose object is a T; null when none.
template <typename T>
BOOL CALLBACK FindObjectOf(HWND hwnd, LPARAM lparam) {
  T*& found = *reinterpret_cast<T**>(lparam);
  found = dynamic_cast<T*>(dui::WindowBase::FromHandle(hwnd));
  return found ? FALSE : TRUE;
}
template <typename T>
T* FindWindowObject() {
  T* found = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindObjectOf<T>, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Runs `step` once from inside a modal loop: a thread timer that the loop's
// DispatchMessage calls. One step at a time.
void RunInsideModalLoop(std::function<void()> step, UINT delay_ms = 30);

// Mouse press and release at the centre of a control, through the window's
// messages with the real cursor there.
void ClickControl(dui::WindowImpl& window, const dui::Control& control);

// 0x00RRGGBB of a back-buffer pixel.
inline std::uint32_t Rgb(const dui::BackBuffer& b, int x, int y) { return b.Pixel(x, y) & 0xFFFFFF; }
inline std::uint32_t Alpha(const dui::BackBuffer& b, int x, int y) { return b.Pixel(x, y) >> 24; }
// Pixels of `r` whose colour is within `tolerance` of `rgb` on every channel.
int CountNear(const dui::BackBuffer& b, const RECT& r, std::uint32_t rgb, int tolerance);

// The toolkit on the staged packs with the skin colour rules, as the launcher
// starts it; shut down after each test.
class LauncherWindows : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Destroys every window of this thread that a test left.
  static void DestroyThreadWindows();
  static void ParkCursor() { ::SetCursorPos(1200, 1000); }
};

}  // namespace vcam::launcher::wintest
