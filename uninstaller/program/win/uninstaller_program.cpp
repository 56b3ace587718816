#include "uninstaller/program/win/uninstaller_program.h"

#include <windows.h>
#include <ole2.h>

#include <memory>
#include <optional>
#include <string>

#include "dui/runtime/ui_profile.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/win/win_platform.h"
#include "uninstaller/bindings/win/script_functions.h"
#include "uninstaller/bindings/win/ui_dispatcher.h"
#include "uninstaller/guard/win/installer_guard.h"
#include "uninstaller/guard/win/restart_marker.h"
#include "uninstaller/program/exit_cleanup_rules.h"
#include "uninstaller/program/win/process_sweep.h"
#include "uninstaller/resources/win/resource_provider.h"
#include "uninstaller/script/exit_flags.h"
#include "uninstaller/script/win/directory_removal.h"
#include "uninstaller/script/win/process_functions.h"
#include "uninstaller/script/win/script_host.h"
#include "uninstaller/ui/win/embedded_ui_files.h"
#include "uninstaller/ui/win/uninstaller_controls.h"

namespace vcam::uninstaller {

namespace {

constexpr const wchar_t* kCaption = L"提示";

class OleSession {
 public:
  OleSession() : ok_(SUCCEEDED(::OleInitialize(nullptr))) {}
  ~OleSession() { end(); }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  void end() {
    if (ok_) ::OleUninitialize();
    ok_ = false;
  }

 private:
  bool ok_;
};

// The toolkit in the uninstaller's configuration, fed from the embedded
// containers; shut down by end() or at the latest by the destructor.
class UiSession {
 public:
  explicit UiSession(ResourceProvider& provider) {
    started_ = dui::Initialize(u"vcam_uninstall", std::make_unique<dui::WinPlatform>(), dui::UiProfile::Uninstaller());
    if (!started_) return;
    register_uninstaller_controls(*dui::UiRuntime::Instance());
    // A missing container leaves the window script with missing layouts,
    // which it meets as a failed createWindow; the shipped program has both.
    UseEmbeddedUiFiles(provider);
  }
  ~UiSession() { end(); }
  UiSession(const UiSession&) = delete;
  UiSession& operator=(const UiSession&) = delete;
  void end() {
    if (started_) dui::Shutdown();
    started_ = false;
  }

 private:
  bool started_ = false;
};

// What the exit clean-up may take: the whole folder only for the registered
// installation that the removal does not refuse (a drive root, a shell or the
// temporary folder, or a folder holding one), and even the empty folder only
// when it is none of those.
struct FolderVerdict {
  bool remove_contents = false;
  bool remove_when_empty = false;
};

FolderVerdict judge_folder(const std::u16string& folder, const std::optional<std::u16string>& install_path) {
  FolderVerdict verdict;
  if (folder.empty() || removal_refused(folder)) return verdict;
  verdict.remove_when_empty = true;
  verdict.remove_contents = install_path && is_registered_installation(folder, *install_path);
  return verdict;
}

void clean_up_at_exit(const std::u16string& exe_path, const std::u16string& folder, const FolderVerdict& verdict,
                      ExitWindowsFunction exit_windows) {
  if (verdict.remove_contents) remove_directory(folder);
  const std::u16string empty_folder = verdict.remove_when_empty ? folder : std::u16string();
  if (reboot_requested()) {
    delete_at_next_boot(exe_path, empty_folder);
    reboot_machine(exit_windows);
  } else {
    start_self_deletion(exe_path, empty_folder);
  }
}

}  // namespace

int run_uninstaller(ExitWindowsFunction exit_windows) {
  // 1. Start-up: the guard (held until every thread has ended) and the
  //    pending restart refuse the run.
  std::optional<InstallerGuard> guard(std::in_place);
  if (guard->other_setup_running()) {
    guard.reset();
    ::MessageBoxW(nullptr, L"检测到Zelo安装或卸载程序正在运行，请结束后重试。", kCaption, MB_OK);
    return 0;
  }
  if (restart_pending_for_uninstaller()) {
    ::MessageBoxW(nullptr, L"检测到Zelo安装或卸载操作尚未完成，需要重启电脑。", kCaption, MB_OK);
    return 0;
  }
  const std::u16string exe_path = current_process_path();
  const std::u16string folder = program_folder_of(exe_path);
  // Read before the procedure deletes the key that holds it.
  const FolderVerdict verdict = judge_folder(folder, registered_install_path());

  // 2. The product's programs still running from this folder go first.
  if (!folder.empty()) sweep_program_folder(folder, exe_path);
  {
    // 3. The embedded files, OLE, the dispatcher and the toolkit, in that
    //    order, then the window script, which returns when its dialog has
    //    closed.
    ResourceProvider provider;
    OleSession ole;
    UiDispatcher dispatcher;
    dispatcher.start();
    UiSession ui(provider);
    {
      ScriptHost host;
      host.run_window_script(u"UI.lua", kWindowFunctions);
      // 4. Shutdown: the toolkit, then the workers (joined before anything
      //    is deleted), then OLE and the guard.
      ui.end();
      dispatcher.stop();
    }
    ole.end();
    guard.reset();
  }
  // 5. Unless cancelled: the folder, then the batch or the reboot.
  if (!user_canceled() && !exe_path.empty()) clean_up_at_exit(exe_path, folder, verdict, exit_windows);
  return 0;
}

}  // namespace vcam::uninstaller
