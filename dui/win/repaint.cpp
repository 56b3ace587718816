#include <windows.h>

#include "dui/win/ui_runtime_win.h"

namespace vcam::dui {

namespace {

BOOL CALLBACK RepaintOne(HWND hwnd, LPARAM message) {
  ::InvalidateRect(hwnd, nullptr, FALSE);
  ::PostMessageW(hwnd, static_cast<UINT>(message), 0, 0);
  return TRUE;
}

}  // namespace

void RepaintThreadWindows() {
  const UiRuntime* runtime = UiRuntime::Instance();
  const UINT message = runtime ? runtime->profile().repaint_message : UiProfile::Launcher().repaint_message;
  ::EnumThreadWindows(::GetCurrentThreadId(), &RepaintOne, static_cast<LPARAM>(message));
}

}  // namespace vcam::dui
