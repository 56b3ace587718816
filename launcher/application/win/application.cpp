#include "launcher/application/win/application.h"

#include <ole2.h>
#include <shellapi.h>

#include "common/win/folders.h"
#include "common/win/text_cp936.h"
#include "common/win/wide.h"
#include "dui/win/ui_runtime_win.h"
#include "launcher/application/launcher_texts.h"
#include "launcher/application/win/data_folder.h"
#include "launcher/application/win/running_client_win.h"
#include "launcher/application/win/show_message.h"
#include "launcher/async/win/message_window.h"
#include "launcher/async/win/task_runner.h"
#include "launcher/log/log_sink.h"
#include "launcher/pack/zelopack_file_source.h"
#include "tools/outside/logger/logger.h"
#include "uninstaller/guard/win/installer_guard.h"
#include "uninstaller/guard/win/restart_marker.h"

namespace vcam::launcher {

namespace {

application* g_application = nullptr;

constexpr wchar_t kInstanceMutex[] = L"ZeloVirtualCamera";
constexpr char16_t kMessageWindowClass[] = u"zelovcam_launcher_mq";
constexpr char16_t kUiApplicationName[] = u"zelovcam_launcher";
constexpr unsigned kLogFileSize = 0x100000;
constexpr int kLogFileCount = 2;

}  // namespace

application::application() : latest_version_(kProductVersion), current_version_(kProductVersion) {
  ole_initialized_ = SUCCEEDED(::OleInitialize(nullptr));
  g_application = this;
}

application::~application() {
  stop_task_runner();
  destroy_message_window();
  close_log();
  instance_mutex_.reset();
  if (ole_initialized_) ::OleUninitialize();
  if (g_application == this) g_application = nullptr;
}

application* application::instance() { return g_application; }

bool application::initialize(std::u16string_view command_line) {
  // 1. The installer guard, probed and released at once.
  if (uninstaller::probe_installer_guard()) {
    ShowMessage(kInstallerRunningText);
    return false;
  }
  // 2. A pending restart (read only; the launcher never touches the marker).
  if (uninstaller::restart_pending_for_launcher()) {
    ShowMessage(kRestartPendingText);
    return false;
  }
  // 3. One instance; a failure to create the mutex lets start-up go on.
  instance_mutex_.reset(::CreateMutexW(nullptr, TRUE, kInstanceMutex));
  if (instance_mutex_ && ::GetLastError() == ERROR_ALREADY_EXISTS) {
    activate_running_client(current_version_, command_line);
    return false;
  }
  // 4. The log; building its path creates the folder set.
  logger_start(log_level_info);
  const std::u16string log_path = data_folder() + u"logs\\vc_client.log";
  logger_add_file(utf16_to_cp936(log_path).c_str(), kLogFileSize, kLogFileCount);
  log_plain("vcam_client started");
  logging_started_ = true;
  // 5, 6. The background jobs and their way back to the UI thread.
  if (!start_task_runner()) {
    log_location("application", "application::initialize", 96);
    return false;
  }
  if (!create_message_window(kMessageWindowClass)) {
    log_location("application", "application::initialize", 97);
    return false;
  }
  // 7 to 11. The UI toolkit, the skins, their colour and the layouts.
  if (!dui::Initialize(kUiApplicationName)) {
    log_location("application", "application::initialize", 98);
    return false;
  }
  dui::UiRuntime* runtime = dui::UiRuntime::Instance();
  runtime->SetPackOpener(open_zelopack_source);
  const std::u16string& folder = data_folder();
  runtime->LoadSkinPack(folder + u"resource\\style_pro.zeloz");
  runtime->LoadRuleFile(u"skin_b4ae00");
  dui::RepaintThreadWindows();
  // A missing layout pack tells the user and ends the process here.
  runtime->OpenLayoutPack(folder + u"resource\\frame_pro.zeloz");
  return true;
}

void application::close_log() {
  if (!logging_started_) return;
  log_plain("vcam_client closed");
  logger_close();
  logging_started_ = false;
}

void application::relaunch() {
  close_log();
  instance_mutex_.reset();
  wchar_t path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.lpFile = path;
  info.lpParameters = L"";
  info.nShow = SW_SHOWNORMAL;
  ::ShellExecuteExW(&info);
}

}  // namespace vcam::launcher
