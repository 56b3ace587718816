// The client module's entry, called by the launcher with its startup block and
// its splash. It logs the block into "logs\client.log" beside the module,
// reports its progress on the splash, removes the splash, and runs its window
// until the user closes it (false) or presses restart (true).
#include <windows.h>

#include <string>

#include "common/text_utf.h"
#include "common/win/folders.h"
#include "common/win/wide.h"
#include "launcher/application/client_startup_block.h"
#include "launcher/application/splash_window_interface.h"
#include "tools/outside/client/client_autopilot.h"
#include "tools/outside/client/startup_block_text.h"
#include "tools/outside/client/win/client_window.h"
#include "tools/outside/client/win/picture_pump.h"
#include "tools/outside/logger/log_clock.h"
#include "tools/outside/logger/rotating_log.h"

namespace vcam::client {
namespace {

constexpr std::uint64_t kLogFileBytes = 1 << 20;

HINSTANCE this_module() {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&this_module), &module);
  return module;
}

// The module's own folder, ending with "\": the launcher loads it from its
// application folder, tests from wherever they keep it.
std::u16string module_folder(HINSTANCE module) {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameW(module, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  std::u16string text(u16(path, n));
  const std::size_t slash = text.find_last_of(u"\\/");
  return slash == std::u16string::npos ? std::u16string() : text.substr(0, slash + 1);
}

std::string environment(const wchar_t* name) {
  wchar_t value[512];
  const DWORD n = ::GetEnvironmentVariableW(name, value, 512);
  return n == 0 || n >= 512 ? std::string() : utf16_to_utf8(u16(value, n));
}

void say(launcher::splash_window_interface* splash, const char16_t* text) {
  if (splash) splash->show_text(text);
}

bool run_client(const launcher::ClientStartupBlock* block, launcher::splash_window_interface* splash,
                logger::RotatingLog& log) {
  if (!block) {
    log.write(300, "client: no startup block");
    if (splash) splash->hide(true);
    return false;
  }
  const StartupFields fields = read_startup_block(*block);
  for (const auto& line : describe_startup_fields(fields)) log.write(600, "client: " + line);

  say(splash, u"正在初始化业务模块...");
  ClientAutopilot autopilot;
  std::string error;
  const std::string hook = environment(L"VCAM_CLIENT_AUTOPILOT");
  if (!parse_client_autopilot(hook, autopilot, error)) log.write(300, "client: test hook ignored: " + error);
  else if (!hook.empty()) log.write(600, "client: test hook " + hook);

  say(splash, u"正在连接虚拟摄像头...");
  PicturePump pump(
      {camera::kFrameChannelNames.mutex + autopilot.channel_suffix, camera::kFrameChannelNames.region + autopilot.channel_suffix});
  pump.set_source(autopilot.source);

  say(splash, u"正在打开主窗口...");
  ClientWindow window(this_module(), pump, log, autopilot);
  const bool created = window.create(client_window_title(fields.current_version), fields.command_line);
  if (splash) splash->hide(true);
  if (!created) {
    log.write(300, "client: the window cannot be created, error " + std::to_string(::GetLastError()));
    return false;
  }
  log.write(600, "client: window open");
  const bool restart = window.run();
  log.write(600, "client: window closed after " + std::to_string(pump.published()) + " pictures; " +
                     (restart ? "restart" : "exit"));
  return restart;
}

}  // namespace
}  // namespace vcam::client

extern "C" bool _zelovirtual_camera_main(const vcam::launcher::ClientStartupBlock* block,
                                         vcam::launcher::splash_window_interface* splash) {
  using namespace vcam;
  const logger::SystemLogClock clock;
  logger::RotatingLog log(clock);
  log.start(600);
  const std::u16string folder = client::module_folder(client::this_module());
  if (!folder.empty() && create_folder_path(folder + u"logs"))
    log.add_file(std::filesystem::path(wide(folder + u"logs\\client.log")), client::kLogFileBytes, 2);
  log.write(600, "client: entry called");
  const bool restart = client::run_client(block, splash, log);
  log.write(600, "client: entry returns " + std::string(restart ? "true" : "false"));
  log.close();
  return restart;
}
