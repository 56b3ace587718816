// window_watch: waits for a shown top-level window of a class, prints where
// it is and, on request, answers or closes it, so that a script can
// photograph and drive a program's windows without a person:
//   window_watch.exe --class NAME [--topmost] [--client] [--timeout MS]
//                    [--key escape|return | --close | --click X Y]
// A window counts when it is visible and lets the mouse in (the shadows
// beside skinned windows do not); with --topmost it must also be topmost.
// Prints "window LEFT TOP RIGHT BOTTOM" in screen coordinates as soon as one
// is found: the whole window, or with --client its client area (without a
// window manager nobody draws a caption, so that is what shows), then
// "title TEXT" (UTF-8) and, for a dialog, "text TEXT" for each static child
// that has some (a message box's question). --key posts that key to it and
// --close asks it to close; both then wait until it is hidden or gone.
// --click presses the left button at X Y of its client area: skinned
// windows hit-test their windowless controls at the real cursor, so the
// cursor goes there first, then the move, press and release are posted.
// Exit code 0, 1 when no window came or it stayed after the key, 2 for a
// bad command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Search {
  const wchar_t* class_name;
  bool topmost;
  HWND found;
};

BOOL CALLBACK match(HWND window, LPARAM context) {
  auto* s = reinterpret_cast<Search*>(context);
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  const LONG_PTR ex = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (std::wstring(name) != s->class_name || !::IsWindowVisible(window) || (ex & WS_EX_TRANSPARENT) ||
      (s->topmost && !(ex & WS_EX_TOPMOST)))
    return TRUE;
  s->found = window;
  return FALSE;
}

HWND find(const wchar_t* class_name, bool topmost) {
  Search s{class_name, topmost, nullptr};
  ::EnumWindows(match, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

bool gone(HWND window) { return !::IsWindow(window) || !::IsWindowVisible(window); }

void print_text(const char* label, HWND window) {
  wchar_t text[1024] = {};
  if (::GetWindowTextW(window, text, 1024) <= 0 && std::strcmp(label, "title") != 0) return;
  char utf8[4096] = {};
  ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  // One line per text: the question's own line breaks become spaces.
  for (char* c = utf8; *c; ++c)
    if (*c == '\r' || *c == '\n') *c = ' ';
  std::printf("%s %s\n", label, utf8);
}

BOOL CALLBACK print_static(HWND child, LPARAM) {
  wchar_t name[64] = {};
  ::GetClassNameW(child, name, 64);
  if (::lstrcmpiW(name, L"Static") == 0) print_text("text", child);
  return TRUE;
}

void click(HWND window, int x, int y) {
  POINT at{x, y};
  ::ClientToScreen(window, &at);
  ::SetCursorPos(at.x, at.y);
  const LPARAM where = MAKELPARAM(x, y);
  ::PostMessageW(window, WM_MOUSEMOVE, 0, where);
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  ::PostMessageW(window, WM_LBUTTONUP, 0, where);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const wchar_t* class_name = nullptr;
  bool topmost = false, close = false, client = false, clicks = false;
  int click_x = 0, click_y = 0;
  WPARAM key = 0;
  DWORD timeout = 20000;
  for (int i = 1; i < argc; ++i) {
    const std::wstring word = argv[i];
    const bool has_value = i + 1 < argc;
    if (word == L"--class" && has_value) {
      class_name = argv[++i];
    } else if (word == L"--timeout" && has_value) {
      timeout = std::wcstoul(argv[++i], nullptr, 10);
    } else if (word == L"--key" && has_value) {
      const std::wstring k = argv[++i];
      key = k == L"escape" ? VK_ESCAPE : k == L"return" ? VK_RETURN : 0;
      if (!key) class_name = nullptr;
    } else if (word == L"--topmost") {
      topmost = true;
    } else if (word == L"--client") {
      client = true;
    } else if (word == L"--close") {
      close = true;
    } else if (word == L"--click" && i + 2 < argc) {
      clicks = true;
      click_x = static_cast<int>(std::wcstol(argv[++i], nullptr, 10));
      click_y = static_cast<int>(std::wcstol(argv[++i], nullptr, 10));
    } else {
      class_name = nullptr;
      break;
    }
  }
  if (!class_name || (key ? 1 : 0) + (close ? 1 : 0) + (clicks ? 1 : 0) > 1) {
    std::fprintf(stderr,
                 "usage: window_watch --class NAME [--topmost] [--client] [--timeout MS] [--key escape|return | "
                 "--close | --click X Y]\n");
    return 2;
  }
  const DWORD start = ::GetTickCount();
  HWND window = nullptr;
  while (!(window = find(class_name, topmost))) {
    if (::GetTickCount() - start > timeout) {
      std::fprintf(stderr, "window_watch: no shown window of class %ls in %lu ms\n", class_name, timeout);
      return 1;
    }
    ::Sleep(20);
  }
  RECT r{};
  if (client) {
    ::GetClientRect(window, &r);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  } else {
    ::GetWindowRect(window, &r);
  }
  std::printf("window %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
  print_text("title", window);
  ::EnumChildWindows(window, print_static, 0);
  std::fflush(stdout);
  if (clicks) click(window, click_x, click_y);
  if (!key && !close) return 0;
  if (key) {
    ::PostMessageW(window, WM_KEYDOWN, key, 0);
  } else {
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  }
  const DWORD asked = ::GetTickCount();
  while (!gone(window)) {
    if (::GetTickCount() - asked > timeout) {
      std::fprintf(stderr, "window_watch: the window of class %ls stayed\n", class_name);
      return 1;
    }
    ::Sleep(20);
  }
  return 0;
}
