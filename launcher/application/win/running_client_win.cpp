#include "launcher/application/win/running_client_win.h"

#include <windows.h>

#include <string>

#include "common/win/wide.h"
#include "launcher/application/running_client.h"

namespace vcam::launcher {

void activate_running_client(std::u16string_view version, std::u16string_view command_line) {
  const std::u16string title = client_window_title(version);
  HWND window = ::FindWindowW(wide(kClientWindowClass), wide(title));
  if (!window) return;
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::SetForegroundWindow(window);
  const std::size_t bytes = command_line_copy_bytes(command_line);
  if (bytes == 0) return;
  std::u16string text(command_line);  // NUL-terminated for the receiver
  COPYDATASTRUCT copy{};
  copy.dwData = 0;
  copy.cbData = static_cast<DWORD>(bytes);
  copy.lpData = text.data();
  ::SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
}

}  // namespace vcam::launcher
