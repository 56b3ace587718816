#include <windows.h>

#include "dui/win/ui_runtime_win.h"

namespace vcam::dui {

namespace {

BOOL CALLBACK RepaintOne(HWND hwnd, LPARAM) {
  ::InvalidateRect(hwnd, nullptr, FALSE);
  ::PostMessageW(hwnd, kRepaintMessage, 0, 0);
  return TRUE;
}

}  // namespace

void RepaintThreadWindows() { ::EnumThreadWindows(::GetCurrentThreadId(), &RepaintOne, 0); }

}  // namespace vcam::dui
