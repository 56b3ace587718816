// vcam_launcher.exe run whole, as a separate process, in a staged product
// folder: its guards, exit codes, messages, files, the client hand-off, the
// relaunch, the stale-process sweep and the crash report. Message boxes are
// read and dismissed by a watcher thread; the launcher's own alerts are
// answered with a key, as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/testing/scratch_folder.h"
#include "common/testing/wait_for.h"
#include "common/win/folders.h"
#include "common/win/testing/program_run.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "launcher/application/exit_codes.h"
#include "launcher/application/launcher_texts.h"
#include "launcher/assets/md5_digest.h"
#include "launcher/program/image_data_sections.h"
#include "launcher/program/minidump_file.h"
#include "tools/https_server/fixture_answers.h"
#include "tools/pack/zelopack_writer.h"

namespace vcam::launcher {
namespace {

namespace fs = std::filesystem;

const std::wstring kCaption = L"程序版本6.0.0.5";
const std::wstring kConfigBase = L"http://127.0.0.1:9/config/";  // refused at once: the local copy is used
const std::wstring kUploadBase = L"http://127.0.0.1:9";

fs::path build_folder() { return fs::path(wide(application_folder())); }

void write_bytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::wstring read_utf16(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

std::string read_text(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::wstring> lines_of(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find(L'\n', begin);
    if (end == std::wstring::npos) end = text.size();
    lines.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  return lines;
}

std::vector<std::wstring> split(const std::wstring& line, wchar_t sep) {
  std::vector<std::wstring> parts;
  size_t begin = 0;
  for (;;) {
    const size_t end = line.find(sep, begin);
    parts.push_back(line.substr(begin, end == std::wstring::npos ? std::wstring::npos : end - begin));
    if (end == std::wstring::npos) return parts;
    begin = end + 1;
  }
}

using vcam::testing::wait_for;

// Reads and dismisses every launcher message box while it lives.
class message_box_watcher {
 public:
  message_box_watcher() : thread_([this] { run(); }) {}
  ~message_box_watcher() {
    stop_ = true;
    thread_.join();
  }
  std::vector<std::wstring> texts() {
    std::lock_guard<std::mutex> hold(lock_);
    return texts_;
  }
  // Bits for boxes that had other buttons than OK (2) or an owner (4).
  int odd_boxes() {
    std::lock_guard<std::mutex> hold(lock_);
    return odd_boxes_;
  }

 private:
  void run() {
    while (!stop_) {
      if (HWND box = ::FindWindowW(L"#32770", kCaption.c_str())) {
        // Shown only once its set-up (text, buttons, z-order) is done.
        wait_for([&] { return ::IsWindowVisible(box) != FALSE; }, 5000);
        wchar_t text[1024] = {};
        ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
        // One OK button and no other: MB_OK, no Cancel.
        const bool ok_only = ::GetDlgItem(box, IDOK) != nullptr && ::GetDlgItem(box, IDCANCEL) == nullptr;
        const bool unowned = ::GetWindow(box, GW_OWNER) == nullptr;
        {
          std::lock_guard<std::mutex> hold(lock_);
          texts_.push_back(text);
          // (Wine's message box leaves MB_TOPMOST out of its window style, so
          // the z-order flag cannot be read back here.)
          odd_boxes_ |= (ok_only ? 0 : 2) | (unowned ? 0 : 4);
        }
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        wait_for([&] { return !::IsWindow(box); }, 5000);
      }
      ::Sleep(20);
    }
  }
  std::atomic<bool> stop_{false};
  std::mutex lock_;
  std::vector<std::wstring> texts_;
  int odd_boxes_ = 0;
  std::thread thread_;
};

// Answers the alerts of one launcher process with keys, one key per window in
// the order they show (VK_RETURN accepts, VK_ESCAPE declines). An alert is a
// topmost popup of the process; the shadow beside it lets the mouse through
// and the splash has its own class. The progress window looks the same from
// outside and ignores keys: `keys` gives it one too when it is expected.
class alert_key_sender {
 public:
  alert_key_sender(DWORD process_id, std::vector<WPARAM> keys) : process_id_(process_id), keys_(std::move(keys)) {
    if (!keys_.empty()) thread_ = std::thread([this] { run(); });
  }
  ~alert_key_sender() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  int answered() const { return answered_; }

 private:
  struct search {
    DWORD process_id;
    const std::vector<HWND>* answered;
    HWND found;
  };
  static BOOL CALLBACK find_alert(HWND window, LPARAM out) {
    auto* s = reinterpret_cast<search*>(out);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != s->process_id || !::IsWindowVisible(window)) return TRUE;
    if (std::find(s->answered->begin(), s->answered->end(), window) != s->answered->end()) return TRUE;
    const LONG_PTR ex = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if ((ex & WS_EX_TOPMOST) && !(ex & WS_EX_TRANSPARENT) && std::wstring(name) != L"zelovcam_launcher_splash" &&
        std::wstring(name) != L"#32770") {
      s->found = window;
      return FALSE;
    }
    return TRUE;
  }
  void run() {
    std::vector<HWND> answered;
    while (!stop_ && answered.size() < keys_.size()) {
      search s{process_id_, &answered, nullptr};
      ::EnumWindows(find_alert, reinterpret_cast<LPARAM>(&s));
      if (s.found) {
        ::Sleep(200);  // its modal loop runs once it is shown
        ::PostMessageW(s.found, WM_KEYDOWN, keys_[answered.size()], 0);
        answered.push_back(s.found);
        ++answered_;
      }
      ::Sleep(50);
    }
  }
  DWORD process_id_;
  std::vector<WPARAM> keys_;
  std::atomic<bool> stop_{false};
  std::atomic<int> answered_{0};
  std::thread thread_;
};

struct launcher_run {
  DWORD code;
  std::vector<std::wstring> messages;
  int odd_boxes;
  DWORD process_id = 0;
  int alerts_answered = 0;
};

class LauncherProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::SetEnvironmentVariableW(L"VCAM_CONFIG_SERVER", kConfigBase.c_str());
    ::SetEnvironmentVariableW(L"VCAM_UPLOAD_BASE_URL", kUploadBase.c_str());
    for (const char* file : {"vcam_launcher.exe", "logger.dll"}) fs::copy_file(build_folder() / file, app_ / file);
    fs::create_directories(app_ / "resource");
    tools::zelopack_writer writer;
    std::string error;
    ASSERT_TRUE(writer.add(u"main.xml", {'<', 'a', '/', '>'}, 7, &error)) << error;
    std::vector<unsigned char> pack;
    ASSERT_TRUE(writer.finish(pack, &error)) << error;
    write_bytes(app_ / "resource" / "frame_pro.zeloz", std::string(pack.begin(), pack.end()));
  }

  void stage_configuration() {
    write_bytes(app_ / "config-local",
                R"({"url_news":"https://news.test/n","url_effect":"https://fx.test/e",)"
                R"("url_effect_download":"https://fx.test/d","exclude":"","url_codecs":"http://127.0.0.1:9/c/",)"
                R"("url_update":"http://127.0.0.1:9/u/latest"})");
    // No decoder listed: the decoder step has nothing to fetch.
    write_bytes(app_ / "manifest_local", "[]");
  }
  void stage_client(const char* fixture, const char* mode = "record") {
    fs::copy_file(build_folder() / fixture, app_ / "vcam_client.dll");
    write_bytes(app_ / "fixture_mode.txt", mode);
  }
  void stage_outside_programs() {
    for (const char* name : {"zelobugreport.exe", "zelovcamcount.exe"})
      fs::copy_file(build_folder() / "boot_test_helper.exe", app_ / name);
  }

  launcher_run run(const std::wstring& arguments = L"", std::vector<WPARAM> alert_keys = {}) {
    message_box_watcher watcher;
    std::wstring command = L"\"" + (app_ / "vcam_launcher.exe").wstring() + L"\"";
    if (!arguments.empty()) command += L" " + arguments;
    UniqueHandle process = testing::start_program(command);
    if (!process) return {~0u, watcher.texts(), watcher.odd_boxes()};
    const DWORD id = ::GetProcessId(process.get());
    alert_key_sender answer(id, std::move(alert_keys));
    DWORD code = ~0u;
    if (wait_for_process(process.get())) ::GetExitCodeProcess(process.get(), &code);
    return {code, watcher.texts(), watcher.odd_boxes(), id, answer.answered()};
  }

  // Pumps this thread's messages while waiting, for windows the test owns.
  static bool wait_for_process(HANDLE process) {
    const DWORD start = ::GetTickCount();
    for (;;) {
      const DWORD r = ::MsgWaitForMultipleObjects(1, &process, FALSE, 50, QS_ALLINPUT);
      if (r == WAIT_OBJECT_0) return true;
      MSG msg;
      while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
      if (::GetTickCount() - start > 60000) {
        ::TerminateProcess(process, 999);
        return false;
      }
    }
  }

  std::vector<std::wstring> client_calls() const { return lines_of(read_utf16(app_ / "client_calls.txt")); }
  std::string log() const { return read_text(app_ / "logs" / "vc_client.log"); }

  testing::ScratchFolder scratch_{"vcam_launcher_"};
  fs::path app_ = scratch_.path();
};

std::wstring w(const char16_t* text) { return wide(text); }

// Against the fixture server, named as the configuration server: it serves
// this version's configuration (its URLs pointing back at the server), the
// manifest and the update description written per test, and the shipped
// packs make the launcher's alert and progress windows.
class LauncherServerTest : public LauncherProgramTest {
 protected:
  void SetUp() override {
    LauncherProgramTest::SetUp();
    server_ = vcam::testing::https_test_server::from_environment();
    ASSERT_TRUE(server_.available()) << "run through ctest: the https_server fixture sets VCAM_HTTPS_STATE";
    const std::string base = server_.url("/config/");
    ::SetEnvironmentVariableW(L"VCAM_CONFIG_SERVER", std::wstring(base.begin(), base.end()).c_str());
    for (const char* pack : {"style_pro.zeloz", "frame_pro.zeloz"})
      fs::copy_file(build_folder() / "resource" / pack, app_ / "resource" / pack,
                    fs::copy_options::overwrite_existing);
    using namespace vcam::testing;
    serve_bytes(server_, "/config/6.0.0.5.json",
                R"({"url_news":"https://news.test/","url_effect":"https://fx.test/","url_effect_download":)"
                R"("https://fx.test/d/","exclude":"","url_codecs":"@BASE@/codecs/6.0.0.5/",)"
                R"("url_update":"@BASE@/update/6.0.0.5/latest"})");
    set_answer(server_, "/config/6.0.0.5.json", "template");
    serve_bytes(server_, "/config/6.0.0.5.manifest", "[]");
    clear_answer(server_, "/update/6.0.0.5/latest");
    serve_bytes(server_, "/update/6.0.0.5/latest", "{}");  // no update unless a test describes one
  }
  void TearDown() override {
    ::SetEnvironmentVariableW(L"VCAM_CONFIG_SERVER", kConfigBase.c_str());
  }

  // A published 6.0.0.6 whose patcher is tools/outside's patch.exe.
  void publish_update(int flag) {
    const std::string patcher = read_text(build_folder() / "patch.exe");
    ASSERT_FALSE(patcher.empty());
    const std::u16string md5 = md5_hex(patcher);
    vcam::testing::serve_bytes(server_, "/update/6.0.0.5/latest6.0.0.6.exe", patcher);
    vcam::testing::serve_bytes(server_, "/update/6.0.0.5/latest",
                               "{\"flag\": " + std::to_string(flag) + ", \"size\": " +
                                   std::to_string(patcher.size()) + ", \"version\": \"6.0.0.6\", \"md5\": \"" +
                                   std::string(md5.begin(), md5.end()) + "\"}");
  }

  vcam::testing::https_test_server server_;
};

TEST_F(LauncherServerTest, AnOptionalUpdateDeclinedLetsTheBootGoOnToTheClient) {
  publish_update(0);
  stage_client("fixture_client.dll");
  const launcher_run r = run(L"", {VK_ESCAPE});
  EXPECT_EQ(r.alerts_answered, 1) << "the prompt was shown";
  EXPECT_EQ(r.code, static_cast<DWORD>(exit_client_called));
  EXPECT_TRUE(r.messages.empty());
  const std::vector<std::wstring> calls = client_calls();
  ASSERT_EQ(calls.size(), 1u) << "the client was called";
  EXPECT_EQ(split(calls[0], L'|')[3], L"6.0.0.5") << "the latest version is taken before the check";
  EXPECT_EQ(lines_of(read_utf16(app_ / "splash_calls.txt")), std::vector<std::wstring>{L"shown|destroyed"})
      << "the client drives the launcher's own splash window";
  EXPECT_FALSE(fs::exists(app_ / "patch" / "patch.exe")) << "nothing fetched";
}

TEST_F(LauncherServerTest, AMandatoryUpdateDeclinedEndsWith10004WithoutTheClient) {
  publish_update(1);
  stage_client("fixture_client.dll");
  const launcher_run r = run(L"", {VK_ESCAPE});
  EXPECT_EQ(r.alerts_answered, 1);
  EXPECT_EQ(r.code, static_cast<DWORD>(exit_mandatory_update));
  EXPECT_TRUE(r.messages.empty());
  EXPECT_FALSE(fs::exists(app_ / "client_calls.txt"));
}

TEST_F(LauncherServerTest, AMandatoryUpdateWhoseDownloadFailsEndsWith10004AndLeavesNothingToRun) {
  publish_update(1);
  const std::string patcher_path = "/update/6.0.0.5/latest6.0.0.6.exe";
  vcam::testing::set_answer(server_, patcher_path, "corrupt");
  stage_client("fixture_client.dll");
  const size_t earlier = server_.requests_for(patcher_path).size();
  // Accepting the prompt; the progress window; closing the failure alert.
  const launcher_run r = run(L"", {VK_RETURN, VK_RETURN, VK_RETURN});
  vcam::testing::clear_answer(server_, patcher_path);
  EXPECT_EQ(r.code, static_cast<DWORD>(exit_mandatory_update));
  EXPECT_EQ(r.alerts_answered, 3) << "the prompt, the progress window and the failure alert";
  EXPECT_EQ(server_.requests_for(patcher_path).size() - earlier, 3u) << "three attempts";
  EXPECT_TRUE(r.messages.empty()) << "the failure is told in the launcher's alert, not a message box";
  EXPECT_FALSE(fs::exists(app_ / "client_calls.txt"));
  EXPECT_FALSE(fs::exists(app_ / "patch" / "patch-command-line.txt")) << "no patcher was started";
  EXPECT_NE(read_text(app_ / "patch" / "patch.exe"), read_text(build_folder() / "patch.exe"));

  // What the failed attempts left is not taken for the verified patcher: the
  // next start, with the server mended, fetches it again before starting it.
  const launcher_run next = run(L"", {VK_RETURN});
  EXPECT_EQ(next.code, static_cast<DWORD>(exit_update_started));
  EXPECT_EQ(server_.requests_for(patcher_path).size() - earlier, 4u);
  const fs::path record = app_ / "patch" / "patch-command-line.txt";
  EXPECT_TRUE(wait_for([&] { return fs::exists(record) && fs::file_size(record) > 0; }, 15000));
}

TEST_F(LauncherServerTest, AnAcceptedUpdateStartsTheVerifiedPatcherWithTheLauncherIdAndEndsWith10003) {
  publish_update(0);
  stage_client("fixture_client.dll");
  const launcher_run r = run(L"", {VK_RETURN});
  EXPECT_EQ(r.alerts_answered, 1);
  EXPECT_EQ(r.code, static_cast<DWORD>(exit_update_started));
  EXPECT_TRUE(r.messages.empty());
  EXPECT_FALSE(fs::exists(app_ / "client_calls.txt"));
  const fs::path record = app_ / "patch" / "patch-command-line.txt";
  ASSERT_TRUE(wait_for([&] { return fs::exists(record) && fs::file_size(record) > 0; }, 15000));
  const std::string text = read_text(record);
  const size_t first_end = text.find('\n');
  ASSERT_NE(first_end, std::string::npos) << text;
  EXPECT_EQ(text.substr(first_end + 1), std::to_string(r.process_id) + "\n") << text;
}

TEST_F(LauncherServerTest, ADecoderFileFailingVerificationEndsWith10005NamingItsUrl) {
  const std::string body(4096, 'd');
  const std::u16string md5 = md5_hex(body);
  vcam::testing::serve_bytes(server_, "/codecs/6.0.0.5/dec00.bin", body);
  vcam::testing::set_answer(server_, "/codecs/6.0.0.5/dec00.bin", "corrupt");
  vcam::testing::serve_bytes(server_, "/config/6.0.0.5.manifest",
                             R"([{"name":"codecs\\dec00.dll","file":"dec00.bin","md5":")" +
                                 std::string(md5.begin(), md5.end()) + R"(","size":4096}])");
  stage_client("fixture_client.dll");
  const launcher_run r = run();
  vcam::testing::clear_answer(server_, "/codecs/6.0.0.5/dec00.bin");
  EXPECT_EQ(r.code, static_cast<DWORD>(exit_decoders_failed));
  const std::string url = server_.url("/codecs/6.0.0.5/dec00.bin");
  EXPECT_EQ(r.messages, std::vector<std::wstring>{w(kDecodersFailedText) + std::wstring(url.begin(), url.end())});
  EXPECT_FALSE(fs::exists(app_ / "client_calls.txt"));
}

TEST_F(LauncherProgramTest, AnInstallerHeldByAnotherProcessRefusesTheStartWithoutTouchingTheLog) {
  UniqueHandle guard(::CreateMutexW(nullptr, TRUE, L"Global\\ZELOINSTALLER"));
  ASSERT_TRUE(guard);
  ASSERT_NE(::GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "no setup program may run during the test";
  const launcher_run r = run();
  EXPECT_EQ(r.code, static_cast<DWORD>(exit_initialize_failed));
  EXPECT_EQ(r.messages, std::vector<std::wstring>{w(kInstallerRunningText)});
  EXPECT_EQ(r.odd_boxes, 0) << "without owner, a single OK button";
  EXPECT_FALSE(fs::exists(app_ / "logs"));
}

TEST_F(LauncherProgramTest, TheLauncherReleasesTheInstallerGuardItProbed) {
  const launcher_run r = run();  // no configuration: it gets past the guards
  EXPECT_EQ(r.code, static_cast<DWORD>(exit_no_configuration));
  UniqueHandle guard(::CreateMutexW(nullptr, TRUE, L"Global\\ZELOINSTALLER"));
  ASSERT_TRUE(guard);
  EXPECT_NE(::GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "a later installer starts";
}

TEST_F(LauncherProgramTest, ASecondStartDuringBootEndsSilentlyWith10001) {
  UniqueHandle instance(::CreateMutexW(nullptr, TRUE, L"ZeloVirtualCamera"));
  ASSERT_TRUE(instance);
  const launcher_run r = run(L"--open x");
  EXPECT_EQ(r.code, static_cast<DWORD>(exit_initialize_failed));
  EXPECT_TRUE(r.messages.empty());
  EXPECT_FALSE(fs::exists(app_ / "logs")) << "no log file is touched";
}

// The running client as the second start sees it: a window of its class and
// title that records what WM_COPYDATA brings.
std::vector<std::wstring> g_received;
std::vector<DWORD> g_received_bytes;
LRESULT CALLBACK client_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COPYDATA) {
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    g_received_bytes.push_back(copy->cbData);
    g_received.emplace_back(static_cast<const wchar_t*>(copy->lpData), copy->cbData / sizeof(wchar_t));
    return TRUE;
  }
  return ::DefWindowProcW(window, message, wparam, lparam);
}

TEST_F(LauncherProgramTest, ASecondStartHandsItsCommandLineToTheRunningClient) {
  UniqueHandle instance(::CreateMutexW(nullptr, TRUE, L"ZeloVirtualCamera"));
  ASSERT_TRUE(instance);
  WNDCLASSW wc{};
  wc.lpfnWndProc = client_procedure;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"zelovcam_client";
  ::RegisterClassW(&wc);
  HWND client = ::CreateWindowExW(0, L"zelovcam_client", L"ZeloOlvana - 6.0.0.5", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(client);
  g_received.clear();
  g_received_bytes.clear();

  launcher_run r = run(L"--open \"a b\" 图");
  EXPECT_EQ(r.code, static_cast<DWORD>(exit_initialize_failed));
  ASSERT_EQ(g_received.size(), 1u);
  const std::wstring expected = L"--open \"a b\" 图";
  EXPECT_EQ(g_received[0], expected + L'\0') << "sent with its terminator";
  EXPECT_EQ(g_received_bytes[0], (expected.size() + 1) * sizeof(wchar_t));
  EXPECT_TRUE(::IsWindowVisible(client)) << "brought to the front";

  r = run();
  EXPECT_EQ(r.code, static_cast<DWORD>(exit_initialize_failed));
  EXPECT_EQ(g_received.size(), 1u) << "an empty command line is not sent";
  EXPECT_TRUE(r.messages.empty());
  EXPECT_FALSE(fs::exists(app_ / "logs"));
  ::DestroyWindow(client);
}

TEST_F(LauncherProgramTest, NoConfigurationEndsWith10002NamingTheUrlAfterTheFolderSetWasMade) {
  const launcher_run r = run();
  EXPECT_EQ(r.code, static_cast<DWORD>(exit_no_configuration));
  EXPECT_EQ(r.messages, std::vector<std::wstring>{w(kConfigurationFailedText) + kConfigBase + L"6.0.0.5.json"});
  for (const char* sub : {"dump", "logs", "patch", "sound", "effect", "settings", "videothumb", "videoworkthumb"})
    EXPECT_TRUE(fs::is_directory(app_ / sub)) << sub;
  const std::string text = log();
  const auto started = text.find("vcam_client started"), closed = text.find("vcam_client closed");
  EXPECT_NE(started, std::string::npos);
  EXPECT_NE(closed, std::string::npos);
  EXPECT_LT(started, closed);
}

TEST_F(LauncherProgramTest, AMissingClientModuleIsNamedWithItsErrorAndEndsWith10000) {
  stage_configuration();
  const launcher_run r = run();
  EXPECT_EQ(r.code, static_cast<DWORD>(exit_client_called));
  EXPECT_EQ(r.messages, std::vector<std::wstring>{w(kClientNotLoadedText) + L"126"});
  EXPECT_EQ(r.odd_boxes, 0);
  EXPECT_FALSE(fs::exists(app_ / "client_calls.txt"));
}

TEST_F(LauncherProgramTest, AClientModuleWithoutTheEntryIsNamedWithNumber2) {
  stage_configuration();
  stage_client("fixture_no_entry.dll");
  const launcher_run r = run();
  EXPECT_EQ(r.code, static_cast<DWORD>(exit_client_called));
  EXPECT_EQ(r.messages, std::vector<std::wstring>{w(kClientEntryMissingText)});
}

TEST_F(LauncherProgramTest, TheClientGetsTheVersionsAndTheCommandLineUpTo1023Units) {
  stage_configuration();
  stage_client("fixture_client.dll");
  launcher_run r = run(L"--open \"a b\"");
  EXPECT_EQ(r.code, static_cast<DWORD>(exit_client_called));
  EXPECT_TRUE(r.messages.empty());
  r = run(std::wstring(1024, L'c'));
  EXPECT_EQ(r.code, static_cast<DWORD>(exit_client_called));
  r = run(std::wstring(1023, L'c'));
  const std::vector<std::wstring> calls = client_calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(split(calls[0], L'|'), (std::vector<std::wstring>{split(calls[0], L'|')[0], L"--open \"a b\"", L"6.0.0.5",
                                                              L"6.0.0.5"}));
  EXPECT_EQ(split(calls[1], L'|')[1], L"") << "1024 units do not fit the field";
  EXPECT_EQ(split(calls[2], L'|')[1], std::wstring(1023, L'c'));
}

TEST_F(LauncherProgramTest, ATrueResultStartsExactlyOneNewLauncherWithoutArgumentsAfterTheLogClosed) {
  stage_configuration();
  stage_client("fixture_client.dll", "relaunch");
  write_bytes(app_ / "relaunch_once", "1");
  const launcher_run r = run(L"--first");
  EXPECT_EQ(r.code, static_cast<DWORD>(exit_client_called));
  // The new copy runs on its own; it returns false and closes its log.
  auto count = [](const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  };
  ASSERT_TRUE(wait_for([&] { return count(log(), "vcam_client closed") >= 2; }));
  ::Sleep(500);  // a second relaunch, if there were one, would show by now
  const std::vector<std::wstring> calls = client_calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_NE(split(calls[0], L'|')[0], split(calls[1], L'|')[0]) << "another process";
  EXPECT_EQ(split(calls[0], L'|')[1], L"--first");
  EXPECT_EQ(split(calls[1], L'|')[1], L"") << "started without arguments";
  const std::string text = log();
  const auto closed = text.find("vcam_client closed");
  const auto second_start = text.find("vcam_client started", text.find("vcam_client started") + 1);
  ASSERT_NE(second_start, std::string::npos);
  EXPECT_LT(closed, second_start) << "the first copy closed its log before the second started";
  // Let the second copy end before the folder goes.
  wait_for([&] {
    UniqueHandle probe(::CreateMutexW(nullptr, FALSE, L"ZeloVirtualCamera"));
    return ::GetLastError() != ERROR_ALREADY_EXISTS;
  });
}

TEST_F(LauncherProgramTest, AFaultInTheClientWritesADumpAndStartsTheUploaderAndTheCounter) {
  stage_configuration();
  stage_client("fixture_client.dll", "fault");
  stage_outside_programs();
  SYSTEMTIME before{};
  ::GetLocalTime(&before);
  const launcher_run r = run();
  SYSTEMTIME after{};
  ::GetLocalTime(&after);
  EXPECT_EQ(r.code, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
  ASSERT_TRUE(wait_for([&] {
    return fs::exists(app_ / "zelobugreport.args") && fs::exists(app_ / "zelovcamcount.args");
  }));
  std::vector<fs::path> dumps;
  for (const auto& e : fs::directory_iterator(app_ / "dump")) dumps.push_back(e.path());
  ASSERT_EQ(dumps.size(), 1u);
  EXPECT_GT(fs::file_size(dumps[0]), 0u);
  const std::string name = dumps[0].filename().string();
  ASSERT_EQ(name.size(), 21u) << name;
  char low[32], high[32];
  std::snprintf(low, sizeof low, "%04u%02u%02u%02u%02u%02u%03u.dmp", before.wYear, before.wMonth, before.wDay,
                before.wHour, before.wMinute, before.wSecond, before.wMilliseconds);
  std::snprintf(high, sizeof high, "%04u%02u%02u%02u%02u%02u%03u.dmp", after.wYear, after.wMonth, after.wDay,
                after.wHour, after.wMinute, after.wSecond, after.wMilliseconds);
  EXPECT_LE(std::string(low), name);
  EXPECT_GE(std::string(high), name);

  // The dump itself. Of the rule that only the launcher's and ntdll's data
  // sections go in, a dump can show that no memory it holds lies in another
  // module's writable sections; whether the launcher's own are there depends on the dump
  // writer (Wine's ignores the data-segment request: it writes the faulting
  // thread's stack and the code around the fault, nothing else).
  wintest::minidump_file dump(dumps[0]);
  ASSERT_TRUE(dump.valid()) << "signature, version and stream directory";
  EXPECT_TRUE(dump.has_stream(ThreadListStream));
  EXPECT_TRUE(dump.has_stream(ExceptionStream)) << "written with the exception pointers";
  bool ok = false;
  const std::vector<wintest::dump_module> modules = dump.modules(ok);
  ASSERT_TRUE(ok) << "module list and names inside the file";
  const std::vector<wintest::dump_range> memory = dump.memory(ok);
  ASSERT_TRUE(ok) << "memory ranges inside the file";
  EXPECT_FALSE(memory.empty()) << "the stack of the faulting thread at least";
  auto is = [](const wintest::dump_module& m, const fs::path& file) {
    std::error_code error;
    return fs::equivalent(fs::path(m.path), file, error);
  };
  auto stem = [](const wintest::dump_module& m) {
    std::wstring name = fs::path(m.path).stem().wstring();
    std::transform(name.begin(), name.end(), name.begin(), ::towlower);
    return name;
  };
  auto listed = [&](const char* file) {
    return std::any_of(modules.begin(), modules.end(), [&](const auto& m) { return is(m, app_ / file); });
  };
  EXPECT_TRUE(listed("vcam_launcher.exe"));
  EXPECT_TRUE(listed("vcam_client.dll")) << "the faulting module";
  size_t others_checked = 0;
  for (const wintest::dump_module& m : modules) {
    if (is(m, app_ / "vcam_launcher.exe") || stem(m) == L"ntdll") continue;
    const std::vector<wintest::dump_range> sections = wintest::image_data_sections(fs::path(m.path), m.base, ok);
    if (!ok) continue;  // a module without a PE file on disk (Wine's own stubs)
    ++others_checked;
    for (const wintest::dump_range& s : sections)
      for (const wintest::dump_range& r : memory)
        EXPECT_FALSE(r.start < s.start + s.size && s.start < r.start + r.size)
            << "memory at " << std::hex << r.start << " lies in a data section of " << fs::path(m.path).string();
  }
  EXPECT_GE(others_checked, 2u) << "at least the client and kernel32";

  const std::vector<std::wstring> uploads = lines_of(read_utf16(app_ / "zelobugreport.args"));
  ASSERT_EQ(uploads.size(), 1u);
  const std::wstring folder = app_.wstring() + L"\\dump";
  const std::wstring arguments =
      L" \"" + kUploadBase + L"/UploadFiles.php\" \"" + folder + L"\" \"6.0.0.5\" \"6.0.0.5\"";
  ASSERT_GE(uploads[0].size(), arguments.size());
  EXPECT_EQ(uploads[0].substr(uploads[0].size() - arguments.size()), arguments) << uploads[0];
  const std::vector<std::wstring> counts = lines_of(read_utf16(app_ / "zelovcamcount.args"));
  ASSERT_EQ(counts.size(), 1u);
  EXPECT_EQ(counts[0].substr(counts[0].size() - 6), L" crash") << counts[0];

  const std::string text = log();
  const auto enter = text.find("UnhandledExceptionFilter enter"), leave = text.find("UnhandledExceptionFilter leave");
  EXPECT_NE(enter, std::string::npos);
  EXPECT_NE(leave, std::string::npos);
  EXPECT_LT(enter, leave);
}

// The sweep runs from a copy of the helper in the staged folder, which its
// own rule 1 would match: it must spare itself.
TEST_F(LauncherProgramTest, TheSweepEndsFolderProgramsAndTheMonitorAndSparesTheLauncherAndItself) {
  const fs::path helper = build_folder() / "boot_test_helper.exe";
  fs::create_directories(app_ / "elsewhere");
  for (const fs::path& copy : {app_ / "stale_tool.exe", app_ / "sweeper.exe",
                               app_ / "elsewhere" / "zelovcamon.exe", app_ / "elsewhere" / "unrelated.exe"}) {
    fs::create_directories(copy.parent_path());
    fs::copy_file(helper, copy);
  }
  fs::remove(app_ / "vcam_launcher.exe");
  fs::copy_file(helper, app_ / "vcam_launcher.exe");
  auto start = [&](const fs::path& exe) { return testing::start_program(L"\"" + exe.wstring() + L"\" sleep"); };
  UniqueHandle stale = start(app_ / "stale_tool.exe");
  UniqueHandle launcher = start(app_ / "vcam_launcher.exe");
  UniqueHandle monitor = start(app_ / "elsewhere" / "zelovcamon.exe");
  UniqueHandle unrelated = start(app_ / "elsewhere" / "unrelated.exe");
  ASSERT_TRUE(stale && launcher && monitor && unrelated);
  ::Sleep(300);  // let them start

  const testing::ProgramResult sweep = testing::run_program(L"\"" + (app_ / "sweeper.exe").wstring() + L"\" sweep");
  EXPECT_EQ(sweep.code, 0u) << "the sweeping process spared itself";
  auto exit_code = [](HANDLE p) {
    DWORD code = 0;
    ::GetExitCodeProcess(p, &code);
    return code;
  };
  EXPECT_EQ(::WaitForSingleObject(stale.get(), 0), WAIT_OBJECT_0);
  EXPECT_EQ(exit_code(stale.get()), 0xFFFFFFF8u);
  EXPECT_EQ(::WaitForSingleObject(monitor.get(), 0), WAIT_OBJECT_0);
  EXPECT_EQ(exit_code(monitor.get()), 0xFFFFFFF8u);
  EXPECT_EQ(exit_code(launcher.get()), static_cast<DWORD>(STILL_ACTIVE)) << "vcam_launcher.exe is never swept";
  EXPECT_EQ(exit_code(unrelated.get()), static_cast<DWORD>(STILL_ACTIVE));
  for (HANDLE p : {launcher.get(), unrelated.get()}) {
    ::TerminateProcess(p, 0);
    ::WaitForSingleObject(p, 5000);
  }
}

// "ShutdownTime" set for the test and put back afterwards, with the marker.
class RestartMarkerScope {
 public:
  RestartMarkerScope() {
    UniqueKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kStampKey, 0, KEY_READ, key.put()) == ERROR_SUCCESS) {
      DWORD size = sizeof saved_;
      had_stamp_ = ::RegQueryValueExW(key.get(), L"ShutdownTime", nullptr, nullptr, saved_, &size) == ERROR_SUCCESS &&
                   size == sizeof saved_;
    }
    set_stamp(kStamp);
  }
  ~RestartMarkerScope() {
    ::DeleteFileW(marker_path().c_str());
    if (had_stamp_) set_stamp(saved_);
    else {
      UniqueKey key;
      if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kStampKey, 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS)
        ::RegDeleteValueW(key.get(), L"ShutdownTime");
    }
  }
  static std::wstring marker_path() {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"\\zelovirtualcamera_restart";
  }
  void write_marker(const std::string& bytes) const {
    std::ofstream out(fs::path(marker_path()), std::ios::binary);
    out << bytes;
  }
  static constexpr unsigned char kStamp[8] = {0x21, 0x43, 0x65, 0x87, 0xA9, 0xCB, 0xED, 0x0F};
  std::string stamp_bytes() const { return std::string(reinterpret_cast<const char*>(kStamp), 8); }

 private:
  static constexpr const wchar_t* kStampKey = L"SYSTEM\\CurrentControlSet\\Control\\Windows";
  static void set_stamp(const unsigned char* stamp) {
    UniqueKey key;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kStampKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) ==
        ERROR_SUCCESS)
      ::RegSetValueExW(key.get(), L"ShutdownTime", 0, REG_BINARY, stamp, 8);
  }
  unsigned char saved_[8] = {};
  bool had_stamp_ = false;
};

TEST_F(LauncherProgramTest, AValidRestartMarkerRefusesTheStartAndIsKept) {
  RestartMarkerScope scope;
  scope.write_marker(scope.stamp_bytes());
  const launcher_run r = run();
  EXPECT_EQ(r.code, static_cast<DWORD>(exit_initialize_failed));
  EXPECT_EQ(r.messages, std::vector<std::wstring>{w(kRestartPendingText)});
  EXPECT_FALSE(fs::exists(app_ / "logs"));
  EXPECT_TRUE(fs::exists(RestartMarkerScope::marker_path())) << "the launcher never deletes the marker";
}

TEST_F(LauncherProgramTest, AMarkerOfSevenOrNineBytesOrAnotherStampDoesNotBlock) {
  RestartMarkerScope scope;
  std::string other = scope.stamp_bytes();
  other[0] ^= 1;
  for (const std::string& marker : {scope.stamp_bytes().substr(0, 7), scope.stamp_bytes() + '\0', other}) {
    scope.write_marker(marker);
    const launcher_run r = run();
    EXPECT_EQ(r.code, static_cast<DWORD>(exit_no_configuration)) << marker.size();
    EXPECT_TRUE(fs::exists(RestartMarkerScope::marker_path()));
  }
}

}  // namespace
}  // namespace vcam::launcher
