#include "launcher/application/win/windows_boot_platform.h"

#include "dui/runtime/ui_runtime.h"
#include "launcher/application/win/client_module.h"
#include "launcher/application/win/data_folder.h"
#include "launcher/application/win/show_message.h"
#include "launcher/application/win/stale_processes.h"
#include "launcher/async/win/message_window.h"
#include "launcher/async/win/task_runner.h"

namespace vcam::launcher {

void windows_boot_platform::stop_stale_processes() { launcher::stop_stale_processes(data_folder()); }

void windows_boot_platform::shut_down_infrastructure() {
  dui::Shutdown();
  stop_task_runner();
  destroy_message_window();
}

void windows_boot_platform::show_message(std::u16string_view text) { ShowMessage(text); }

client_outcome windows_boot_platform::call_client(const ClientStartupBlock& block, splash_window_interface& splash) {
  return call_client_module(data_folder() + u"vcam_client.dll", block, splash);
}

}  // namespace vcam::launcher
