// vcam_uninstall.exe run whole, as a separate process, from scratch folders:
// its two refusals, the guard held for the whole run, cancelling, a copy
// outside the registered installation, the full run at the registered path
// and the reboot ending. Message boxes are read and answered with OK by a
// watcher; the window is driven by clicks where the layout puts its buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/testing/scratch_folder.h"
#include "common/testing/wait_for.h"
#include "common/win/folders.h"
#include "common/win/testing/program_run.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "uninstaller/resources/resource_pack.h"
#include "uninstaller/resources/win/resource_provider.h"
#include "uninstaller/script/win/testing/script_test_support.h"

namespace vcam::uninstaller {
namespace {

namespace fs = std::filesystem;

// mainframe.xml: a 645 x 400 window; the buttons are 136 x 43, centred in the
// 80-pixel bar at the bottom, right-aligned with right margins 20 (start, and
// finish on page 2) and 170 (cancel).
constexpr POINT kStartOrFinish{645 - 20 - 68, 400 - 40};
constexpr POINT kCancel{645 - 170 - 68, 400 - 40};

constexpr const wchar_t* kRunning = L"检测到Zelo安装或卸载程序正在运行，请结束后重试。";
constexpr const wchar_t* kRestartPending = L"检测到Zelo安装或卸载操作尚未完成，需要重启电脑。";
constexpr const wchar_t* kRestartQuestion = L"Olvana需要重启电脑才能完成卸载，是否立即重启?";
constexpr const wchar_t* kProductKey = L"Software\\ZeloVCamera";
constexpr const wchar_t* kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZeloVCamera";
constexpr const wchar_t* kTestKey = L"Software\\vcam-uninstall-test";
constexpr const wchar_t* kSessionManager = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";

fs::path build_folder() { return fs::path(wide(application_folder())); }

std::wstring temp_folder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH + 1, buffer);
  return buffer;
}
fs::path batch_path() { return temp_folder() + L"\\zelocamera.bat"; }
fs::path marker_path() { return temp_folder() + L"\\zelovirtualcamera_restart"; }

using vcam::testing::wait_for;

void write_text(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

struct Box {
  std::wstring caption, text;
};

struct WindowSearch {
  DWORD process_id;
  const wchar_t* class_name;
  std::vector<HWND> found;
};

BOOL CALLBACK collect_window(HWND window, LPARAM param) {
  auto* s = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  if (owner == s->process_id && ::IsWindowVisible(window) && std::wstring(name) == s->class_name)
    s->found.push_back(window);
  return TRUE;
}

// Visible top-level windows of one process with one class.
std::vector<HWND> windows_of(DWORD process_id, const wchar_t* class_name) {
  WindowSearch search{process_id, class_name, {}};
  ::EnumWindows(collect_window, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// One run of a program: message boxes are read and answered with OK, and
// once its window shows, `on_window` runs and the clicks are made, the last
// one again every half second while the window lives (the finish button
// appears where the start button was once the procedure is done).
struct RunResult {
  DWORD code = ~0u;
  std::vector<Box> boxes;
};

RunResult run(const fs::path& exe, std::vector<POINT> clicks = {}, std::function<void()> on_window = {}) {
  RunResult result;
  UniqueHandle process = vcam::testing::start_program(L"\"" + exe.wstring() + L"\"");
  if (!process) return result;
  const DWORD id = ::GetProcessId(process.get());
  std::atomic<bool> ended{false};
  std::mutex lock;
  std::thread boxes([&] {
    while (!ended) {
      for (HWND box : windows_of(id, L"#32770")) {
        wchar_t caption[256] = {}, text[1024] = {};
        ::GetWindowTextW(box, caption, 256);
        ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
        {
          std::lock_guard<std::mutex> hold(lock);
          result.boxes.push_back({caption, text});
        }
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        wait_for([&] { return !::IsWindow(box); }, 5000);
      }
      ::Sleep(50);
    }
  });
  std::thread clicker([&] {
    if (clicks.empty() && !on_window) return;
    HWND window = nullptr;
    if (!wait_for(
            [&] {
              // The titled one; its shadow companion has the same class.
              for (HWND w : windows_of(id, L"WINDOW:234:000")) {
                wchar_t title[64] = {};
                ::GetWindowTextW(w, title, 64);
                if (std::wstring(title) == L"卸载Olvana") window = w;
              }
              return window != nullptr || ended;
            },
            30000) ||
        !window)
      return;
    ::Sleep(300);  // laid out and painted once shown
    if (on_window) on_window();
    for (std::size_t i = 0; i < clicks.size() && !ended && ::IsWindow(window); ++i) {
      do {
        POINT at = clicks[i];
        POINT screen = at;
        ::ClientToScreen(window, &screen);
        ::SetCursorPos(screen.x, screen.y);
        ::PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        ::Sleep(500);
      } while (i + 1 == clicks.size() && !ended && ::IsWindow(window) && ::IsWindowVisible(window));
    }
  });
  if (::WaitForSingleObject(process.get(), 40000) == WAIT_OBJECT_0) {
    ::GetExitCodeProcess(process.get(), &result.code);
  } else {
    ::TerminateProcess(process.get(), 99);
  }
  ended = true;
  boxes.join();
  clicker.join();
  return result;
}

std::vector<std::wstring> texts_of(const std::vector<Box>& boxes) {
  std::vector<std::wstring> texts;
  for (const Box& b : boxes) texts.push_back(b.text);
  return texts;
}

std::optional<std::vector<unsigned char>> read_value(HKEY root, const wchar_t* key, const wchar_t* name,
                                                     DWORD* type = nullptr) {
  DWORD size = 0;
  if (::RegGetValueW(root, key, name, RRF_RT_ANY, type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  std::vector<unsigned char> bytes(size);
  if (::RegGetValueW(root, key, name, RRF_RT_ANY, type, bytes.data(), &size) != ERROR_SUCCESS) return std::nullopt;
  bytes.resize(size);
  return bytes;
}

bool key_exists(HKEY root, const wchar_t* key) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  ::RegCloseKey(opened);
  return true;
}

// A registry value put back as it was when the test ends.
class SavedValue {
 public:
  SavedValue(HKEY root, const wchar_t* key, const wchar_t* name) : root_(root), key_(key), name_(name) {
    value_ = read_value(root, key, name, &type_);
  }
  ~SavedValue() {
    if (value_) {
      ::RegSetKeyValueW(root_, key_, name_, type_, value_->data(), static_cast<DWORD>(value_->size()));
    } else {
      ::RegDeleteKeyValueW(root_, key_, name_);
    }
  }
  SavedValue(const SavedValue&) = delete;
  SavedValue& operator=(const SavedValue&) = delete;

 private:
  HKEY root_;
  const wchar_t* key_;
  const wchar_t* name_;
  DWORD type_ = 0;
  std::optional<std::vector<unsigned char>> value_;
};

std::vector<std::wstring> pending_renames() {
  std::vector<std::wstring> entries;
  const auto bytes = read_value(HKEY_LOCAL_MACHINE, kSessionManager, L"PendingFileRenameOperations");
  if (!bytes) return entries;
  const std::wstring all(reinterpret_cast<const wchar_t*>(bytes->data()), bytes->size() / sizeof(wchar_t));
  std::size_t begin = 0;
  while (begin < all.size()) {
    std::size_t end = all.find(L'\0', begin);
    if (end == std::wstring::npos) end = all.size();
    entries.push_back(all.substr(begin, end - begin));
    begin = end + 1;
  }
  return entries;
}

bool ends_with_path(const std::wstring& entry, const std::wstring& path) {
  return entry.size() >= path.size() &&
         ::CompareStringOrdinal(entry.data() + entry.size() - path.size(), static_cast<int>(path.size()), path.data(),
                                static_cast<int>(path.size()), TRUE) == CSTR_EQUAL;
}

class UninstallProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kProductKey);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    std::error_code ignored;
    fs::remove(batch_path(), ignored);
    fs::remove(marker_path(), ignored);
  }
  void TearDown() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kProductKey);
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kUninstallKey);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    std::error_code ignored;
    fs::remove(marker_path(), ignored);
  }

  // The program in scratch\app, beside a user's file in a subfolder.
  fs::path stage(const wchar_t* program = L"vcam_uninstall.exe", const wchar_t* as = L"vcam_uninstall.exe") {
    const fs::path exe = app_ / as;
    fs::create_directories(app_);
    fs::copy_file(build_folder() / program, exe, fs::copy_options::overwrite_existing);
    write_text(user_file_, "the user's own");
    return exe;
  }
  void register_installation(const std::wstring& path) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kProductKey, L"InstallPath", REG_SZ, path.c_str(),
                      static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
  }

  vcam::testing::ScratchFolder scratch_{"uninstall_program_"};
  const fs::path app_ = scratch_ / "app";
  const fs::path user_file_ = app_ / "notes" / "mine.txt";
};

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

template <typename Source>
std::string text_of(Source& source, std::u16string_view name) {
  std::size_t size = 0;
  const ResourceBuffer buffer = source.load(name, &size);
  return buffer ? std::string(reinterpret_cast<const char*>(buffer.get()), size) : std::string();
}

// ResourcePack under the provider's name for reading a file.
struct PackFiles {
  const ResourcePack& pack;
  ResourceBuffer load(std::u16string_view name, std::size_t* size) const { return pack.extract(name, size); }
};

TEST(UninstallProgramFile, CarriesItsScriptsContainersIconAndManifest) {
  struct ModuleFree {
    static HMODULE invalid() { return nullptr; }
    static void close(HMODULE m) { ::FreeLibrary(m); }
  };
  const UniqueResource<HMODULE, ModuleFree> module(::LoadLibraryExW(
      (build_folder() / "vcam_uninstall.exe").c_str(), nullptr,
      LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_TRUE(module);
  ResourceProvider provider(module.get());
  const fs::path scripts = fs::path(VCAM_SOURCE_DIR) / "uninstaller" / "scripts";
  EXPECT_EQ(text_of(provider, u"UI.lua"), read_file(scripts / "UI.lua"));
  EXPECT_EQ(text_of(provider, u"LG.lua"), read_file(scripts / "LG.lua"));

  std::size_t frame_size = 0, style_size = 0;
  const ResourceBuffer frame = provider.load(u"frame.lz", &frame_size);
  const ResourceBuffer style = provider.load(u"style.lz", &style_size);
  ASSERT_TRUE(frame && style);
  const ResourcePack layouts = ResourcePack::build(frame.get(), frame_size);
  PackFiles layout_files{layouts};
  EXPECT_EQ(text_of(layout_files, u"mainframe.xml"), read_file(scripts / "mainframe.xml"));
  EXPECT_TRUE(layouts.contains(u"proxywindow.xml"));
  const ResourcePack skin = ResourcePack::build(style.get(), style_size);
  for (const char16_t* name : {u"font.xml", u"bkgnd.xml", u"bkgnd.png", u"button.xml", u"button_gray.xml",
                               u"button_close.xml", u"page1.png", u"page2.png", u"frame_proxy_bkgnd.png"})
    EXPECT_TRUE(skin.extract(name, nullptr)) << std::string(name, name + std::char_traits<char16_t>::length(name));

  EXPECT_TRUE(::FindResourceW(module.get(), MAKEINTRESOURCEW(2), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */));
  const HRSRC manifest = ::FindResourceW(module.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */);
  ASSERT_TRUE(manifest);
  const std::string text(static_cast<const char*>(::LockResource(::LoadResource(module.get(), manifest))),
                         ::SizeofResource(module.get(), manifest));
  for (const char* part : {"level=\"requireAdministrator\" uiAccess=\"false\"", "Microsoft.Windows.Common-Controls",
                           "version=\"6.0.0.0\"", "{e2011457-1546-43c5-a5fe-008deee3d3f0}",
                           "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"})
    EXPECT_NE(text.find(part), std::string::npos) << part;
}

TEST_F(UninstallProgram, AnotherSetupProgramHoldingTheGuardIsRefusedWithoutTouchingAnything) {
  const fs::path exe = stage();
  register_installation(app_.wstring() + L"\\");
  UniqueHandle guard(::CreateMutexW(nullptr, TRUE, L"Global\\ZELOINSTALLER"));
  ASSERT_TRUE(guard);
  const RunResult result = run(exe);
  EXPECT_EQ(result.code, 0u);
  ASSERT_EQ(result.boxes.size(), 1u);
  EXPECT_EQ(result.boxes[0].caption, L"提示");
  EXPECT_EQ(result.boxes[0].text, kRunning);
  EXPECT_TRUE(fs::exists(exe));
  EXPECT_TRUE(fs::exists(user_file_));
  EXPECT_FALSE(fs::exists(batch_path()));
  EXPECT_TRUE(key_exists(HKEY_CURRENT_USER, kProductKey));
}

TEST_F(UninstallProgram, APendingRestartIsRefusedAndTheMarkerKept) {
  const fs::path exe = stage();
  constexpr const wchar_t* kWindowsKey = L"SYSTEM\\CurrentControlSet\\Control\\Windows";
  SavedValue saved(HKEY_LOCAL_MACHINE, kWindowsKey, L"ShutdownTime");
  // A fresh prefix may lack the stamp; the marker must hold whatever is there.
  auto stamp = read_value(HKEY_LOCAL_MACHINE, kWindowsKey, L"ShutdownTime");
  if (!stamp || stamp->size() != 8) {
    stamp = std::vector<unsigned char>{1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_EQ(::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kWindowsKey, L"ShutdownTime", REG_BINARY, stamp->data(), 8),
              ERROR_SUCCESS);
  }
  write_text(marker_path(), std::string(stamp->begin(), stamp->end()));
  const RunResult result = run(exe);
  EXPECT_EQ(result.code, 0u);
  ASSERT_EQ(result.boxes.size(), 1u);
  EXPECT_EQ(result.boxes[0].caption, L"提示");
  EXPECT_EQ(result.boxes[0].text, kRestartPending);
  EXPECT_TRUE(fs::exists(marker_path()));
  EXPECT_TRUE(fs::exists(exe));
  EXPECT_FALSE(fs::exists(batch_path()));
}

// A program that runs until it is ended, started from `path`.
testing::Peer start_peer(const fs::path& path) { return testing::Peer(testing::copy_peer(path), L"wait"); }

DWORD exit_code_of(const testing::Peer& peer) { return peer.ended(0) ? peer.exit_code() : STILL_ACTIVE; }

TEST_F(UninstallProgram, CancelOnTheFirstPageRemovesNothingAndTheGuardIsHeldMeanwhile) {
  const fs::path exe = stage();
  write_text(app_ / "vcam_launcher.exe", "stand-in");
  register_installation(app_.wstring() + L"\\");
  // The start-up sweep ends what runs from the program's folder and the
  // camera monitor wherever it runs from; nothing else.
  testing::Peer stale = start_peer(app_ / "stale.exe");
  testing::Peer monitor = start_peer(scratch_ / "monitor" / "zelovcamon.exe");
  testing::Peer bystander = start_peer(scratch_ / "other" / "stale.exe");
  ASSERT_TRUE(stale && monitor && bystander);
  DWORD stale_code = 0, monitor_code = 0, bystander_code = 0;
  // A second copy elsewhere, started while the first shows its window.
  const fs::path second = scratch_ / "second" / "vcam_uninstall.exe";
  fs::create_directories(second.parent_path());
  fs::copy_file(exe, second);
  RunResult second_result;
  const RunResult result = run(exe, {kCancel}, [&] {
    stale_code = exit_code_of(stale);
    monitor_code = exit_code_of(monitor);
    bystander_code = exit_code_of(bystander);
    second_result = run(second);
  });

  EXPECT_EQ(stale_code, 0xFFFFFFF8u);
  EXPECT_EQ(monitor_code, 0xFFFFFFF8u);
  EXPECT_EQ(bystander_code, static_cast<DWORD>(STILL_ACTIVE));

  EXPECT_EQ(second_result.code, 0u);
  EXPECT_EQ(texts_of(second_result.boxes), std::vector<std::wstring>{kRunning});
  EXPECT_EQ(result.code, 0u);
  EXPECT_TRUE(result.boxes.empty()) << result.boxes.front().text;
  EXPECT_TRUE(fs::exists(exe));
  EXPECT_TRUE(fs::exists(app_ / "vcam_launcher.exe"));
  EXPECT_TRUE(fs::exists(user_file_));
  EXPECT_FALSE(fs::exists(batch_path()));
  EXPECT_TRUE(key_exists(HKEY_CURRENT_USER, kProductKey));
}

TEST_F(UninstallProgram, ACopyOutsideTheRegisteredInstallationDeletesItsListedFilesAndItselfOnly) {
  // Under another name too: the sweep must not end the running program.
  const fs::path exe = stage(L"vcam_uninstall.exe", L"Uninstall (1).exe");
  write_text(app_ / "vcam_launcher.exe", "stand-in");
  write_text(app_ / "Resource" / "style_pro.zeloz", "stand-in");
  const fs::path elsewhere = scratch_ / "installed";
  fs::create_directories(elsewhere);
  register_installation(elsewhere.wstring() + L"\\");

  const RunResult result = run(exe, {kStartOrFinish});
  EXPECT_EQ(result.code, 0u);
  EXPECT_TRUE(result.boxes.empty()) << result.boxes.front().text;
  EXPECT_FALSE(fs::exists(app_ / "vcam_launcher.exe"));
  EXPECT_FALSE(fs::exists(app_ / "Resource"));
  EXPECT_TRUE(wait_for([&] { return !fs::exists(exe); }, 15000)) << "the batch did not delete the program";
  EXPECT_TRUE(fs::exists(user_file_));
  EXPECT_TRUE(fs::exists(app_));
  // Not the registered copy: the product's registration stays.
  EXPECT_TRUE(key_exists(HKEY_CURRENT_USER, kProductKey));
}

TEST_F(UninstallProgram, TheRegisteredInstallationGoesWholeWithItsRegistration) {
  const fs::path exe = stage();
  for (const char* name : {"vcam_source.ax", "vcam_launcher.exe", "libcurl.dll", "Resource/splash/default",
                           "Resource/frame_pro.zeloz", "vzelodumper.dll"})
    write_text(app_ / name, "stand-in");
  write_text(app_ / "logs" / "deep" / "today.log", "not on the procedure's list");
  // Another case and no trailing separator: still the same folder.
  std::wstring registered = app_.wstring();
  std::transform(registered.begin(), registered.end(), registered.begin(), ::towupper);
  register_installation(registered + L"\\");
  ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName", REG_SZ, L"x", 4);

  const RunResult result = run(exe, {kStartOrFinish});
  EXPECT_EQ(result.code, 0u);
  EXPECT_TRUE(result.boxes.empty()) << result.boxes.front().text;
  EXPECT_FALSE(key_exists(HKEY_CURRENT_USER, kProductKey));
  EXPECT_FALSE(key_exists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_FALSE(fs::exists(user_file_));
  EXPECT_FALSE(fs::exists(app_ / "logs"));
  EXPECT_TRUE(wait_for([&] { return !fs::exists(app_); }, 20000)) << "the batch did not remove the folder";
}

TEST_F(UninstallProgram, ACopyRegisteredAndRunFromTheTemporaryFolderLeavesTheFolderAlone) {
  const fs::path temp = temp_folder();
  const fs::path exe = temp / "vcam_uninstall_temp_copy.exe";
  fs::copy_file(build_folder() / "vcam_uninstall.exe", exe, fs::copy_options::overwrite_existing);
  const fs::path other = temp / "uninstall_program_other_file.txt";
  write_text(other, "someone else's");
  register_installation(temp_folder());

  const RunResult result = run(exe, {kStartOrFinish});
  EXPECT_EQ(result.code, 0u);
  EXPECT_TRUE(result.boxes.empty()) << result.boxes.front().text;
  // The procedure took the registration, as for any registered copy ...
  EXPECT_FALSE(key_exists(HKEY_CURRENT_USER, kProductKey));
  // ... but the folder stays whole: only the program goes.
  EXPECT_TRUE(wait_for([&] { return !fs::exists(exe); }, 15000)) << "the batch did not delete the program";
  EXPECT_TRUE(fs::exists(other));
  EXPECT_TRUE(fs::exists(scratch_.path()));
  std::error_code ignored;
  fs::remove(other, ignored);
  fs::remove(exe, ignored);
}

TEST_F(UninstallProgram, ARebootRegistersTheProgramThenItsFolderAndAsksForAForcedReboot) {
  SavedValue renames(HKEY_LOCAL_MACHINE, kSessionManager, L"PendingFileRenameOperations");
  ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kSessionManager, L"PendingFileRenameOperations");
  const fs::path exe = stage(L"uninstall_reboot_fixture.exe", L"uninstall_reboot_fixture.exe");

  const RunResult result = run(exe, {kStartOrFinish});
  EXPECT_EQ(result.code, 0u);
  ASSERT_EQ(result.boxes.size(), 2u);
  EXPECT_EQ(result.boxes[0].caption, L"提示");
  EXPECT_EQ(result.boxes[0].text, kRestartQuestion);
  EXPECT_EQ(result.boxes[1].text, L"重启电脑失败，原因：1115。 请手动重启电脑。");
  const auto flags = read_value(HKEY_CURRENT_USER, kTestKey, L"exit_windows");
  ASSERT_TRUE(flags);
  EXPECT_EQ(*reinterpret_cast<const DWORD*>(flags->data()), static_cast<DWORD>(EWX_REBOOT | EWX_FORCE));

  // Source and target alternate; a deletion has an empty target.
  const std::vector<std::wstring> entries = pending_renames();
  const auto at = [&](const std::wstring& path) {
    for (std::size_t i = 0; i + 1 < entries.size(); i += 2)
      if (ends_with_path(entries[i], path) && entries[i + 1].empty()) return static_cast<int>(i);
    return -1;
  };
  const int exe_entry = at(exe.wstring()), folder_entry = at(app_.wstring() + L"\\");
  EXPECT_GE(exe_entry, 0);
  EXPECT_GT(folder_entry, exe_entry);
  // Deleted at the reboot, not now, and no batch.
  EXPECT_TRUE(fs::exists(exe));
  EXPECT_TRUE(fs::exists(user_file_));
  EXPECT_FALSE(fs::exists(batch_path()));
}

}  // namespace
}  // namespace vcam::uninstaller
