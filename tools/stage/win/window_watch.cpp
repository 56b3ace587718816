// window_watch: waits for a shown top-level window of a class, prints where
// it is and, on request, answers or closes it, so that a script can
// photograph and drive a program's windows without a person:
//   window_watch.exe --class NAME [--topmost] [--client] [--timeout MS] [--key escape|return | --close]
// A window counts when it is visible and lets the mouse in (the shadows
// beside skinned windows do not); with --topmost it must also be topmost.
// Prints "window LEFT TOP RIGHT BOTTOM" in screen coordinates as soon as one
// is found: the whole window, or with --client its client area (without a
// window manager nobody draws a caption, so that is what shows). --key posts that key to it and --close asks it to close; both
// then wait until it is hidden or gone. Exit code 0, 1 when no window came
// or it stayed after the key, 2 for a bad command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const wchar_t* class_name = nullptr;
  bool topmost = false, close = false, client = false;
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
    } else {
      class_name = nullptr;
      break;
    }
  }
  if (!class_name || (key && close)) {
    std::fprintf(stderr,
                 "usage: window_watch --class NAME [--topmost] [--client] [--timeout MS] [--key escape|return | "
                 "--close]\n");
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
  std::fflush(stdout);
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
