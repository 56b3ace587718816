#include "tools/outside/client/win/client_window.h"

#include <algorithm>
#include <cstdio>

#include "common/text_utf.h"
#include "common/win/wide.h"
#include "tools/outside/client/copy_data_text.h"

namespace vcam::client {
namespace {

constexpr UINT kPublishedMessage = WM_APP + 1;
enum ControlId : int { kCardButton = 101, kScreenButton, kRestartButton, kCommandList, kStatusText };

HWND child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id,
           HINSTANCE instance) {
  return ::CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

}  // namespace

ClientWindow::ClientWindow(HINSTANCE instance, PicturePump& pump, logger::RotatingLog& log,
                           const ClientAutopilot& autopilot)
    : instance_(instance), pump_(pump), log_(log), autopilot_(autopilot) {}

ClientWindow::~ClientWindow() {
  if (window_) ::DestroyWindow(window_);
  // The class goes with the window, so the entry can run again in the same
  // process (after a failed start, or in tests).
  if (registered_) ::UnregisterClassW(kClientWindowClass, instance_);
}

bool ClientWindow::create(const std::u16string& title, const std::u16string& first_command_line) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = window_proc;
  wc.hInstance = instance_;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClientWindowClass;
  registered_ = ::RegisterClassExW(&wc) != 0;
  if (!registered_) return false;
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, 520, 330};
  ::AdjustWindowRectEx(&frame, style, FALSE, 0);
  window_ = ::CreateWindowExW(0, kClientWindowClass, wide(title), style, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance_, this);
  if (!window_) return false;
  // The start's own command line heads the list; the log has it from the block.
  if (!first_command_line.empty()) add_command_line(first_command_line);
  ::ShowWindow(window_, SW_SHOWNORMAL);
  ::UpdateWindow(window_);
  return true;
}

bool ClientWindow::run() {
  if (!pump_.start(window_, kPublishedMessage)) log_.write(300, "client: the frame channel cannot be opened");
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (window_ && ::IsDialogMessageW(window_, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return restart_requested_;
}

void ClientWindow::on_created() {
  font_ = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  const HWND controls[] = {
      child(window_, L"BUTTON", L"Camera picture", BS_GROUPBOX, 10, 6, 500, 52, 0, instance_),
      child(window_, L"BUTTON", L"Test card", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 24, 28, 140, 20,
            kCardButton, instance_),
      child(window_, L"BUTTON", L"Screen", BS_AUTORADIOBUTTON, 180, 28, 140, 20, kScreenButton, instance_),
      child(window_, L"STATIC", L"Command lines received:", 0, 10, 66, 300, 18, 0, instance_),
      list_ = child(window_, L"LISTBOX", L"", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | WS_TABSTOP, 10, 86,
                    500, 190, kCommandList, instance_),
      status_ = child(window_, L"STATIC", L"Starting the camera pictures...", 0, 10, 292, 380, 20, kStatusText,
                      instance_),
      restart_ = child(window_, L"BUTTON", L"Restart", BS_PUSHBUTTON | WS_TABSTOP, 410, 286, 100, 28,
                       kRestartButton, instance_),
  };
  for (HWND c : controls)
    if (c) ::SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  ::CheckRadioButton(window_, kCardButton, kScreenButton,
                     pump_.source() == PictureSource::Screen ? kScreenButton : kCardButton);
}

void ClientWindow::add_command_line(const std::u16string& text) {
  if (!list_) return;
  const LRESULT index = ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(text)));
  if (index >= 0) ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ClientWindow::on_published(std::uint64_t count) {
  // Posted counts can arrive after a later one; show only the newest.
  count = std::max<std::uint64_t>(count, pump_.published());
  if (count % kPicturesPerSecond == 1 || count < 2) {
    wchar_t text[96];
    const PictureSize size = pump_.channel_size();
    std::swprintf(text, 96, L"%llu pictures published (%dx%d)", static_cast<unsigned long long>(count), size.width,
                  size.height);
    ::SetWindowTextW(status_, text);
  }
  if (autopilot_fired_) return;
  if (autopilot_.close_after && count >= *autopilot_.close_after) {
    autopilot_fired_ = true;
    log_.write(600, "client: autopilot closes the window");
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
  } else if (autopilot_.restart_after && count >= *autopilot_.restart_after) {
    autopilot_fired_ = true;
    log_.write(600, "client: autopilot presses restart");
    ::PostMessageW(restart_, BM_CLICK, 0, 0);
  }
}

LRESULT CALLBACK ClientWindow::window_proc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<ClientWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<ClientWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(window, message, wp, lp);
  return self->handle_message(message, wp, lp);
}

LRESULT ClientWindow::handle_message(UINT message, WPARAM wp, LPARAM lp) {
  switch (message) {
    case WM_CREATE:
      on_created();
      return 0;
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
      if (!data) return FALSE;
      const std::u16string text = copy_data_text(data->lpData, data->cbData);
      log_.write(600, "client: command line received: " + utf16_to_utf8(text));
      add_command_line(text);
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case kCardButton:
          pump_.set_source(PictureSource::TestCard);
          log_.write(600, "client: picture source test card");
          return 0;
        case kScreenButton:
          pump_.set_source(PictureSource::Screen);
          log_.write(600, "client: picture source screen");
          return 0;
        case kRestartButton:
          restart_requested_ = true;
          log_.write(600, "client: restart requested");
          ::DestroyWindow(window_);
          return 0;
      }
      break;
    case kPublishedMessage:
      on_published(static_cast<std::uint64_t>(wp));
      return 0;
    case WM_DESTROY:
      // Publishing ends with the window, so the camera falls back to its
      // placeholder while the entry is still returning.
      pump_.stop();
      ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      window_ = nullptr;
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(window_, message, wp, lp);
}

}  // namespace vcam::client
