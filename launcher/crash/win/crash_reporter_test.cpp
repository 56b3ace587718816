// The crash reporter in this process, with the fault handed to it directly:
// the dump, the two programs it starts (stand-ins that record their command
// lines), the first-fault gate and the dump writer's module rule.
#include "launcher/crash/win/crash_reporter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "common/testing/scratch_folder.h"
#include "common/testing/wait_for.h"
#include "common/win/folders.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "launcher/log/testing/log_capture.h"

namespace vcam::launcher {
namespace {

namespace fs = std::filesystem;

std::u16string own_path() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::u16string(u16(path, n));
}

std::vector<fs::path> files_in(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ignored;
  for (const auto& e : fs::directory_iterator(folder, ignored)) files.push_back(e.path());
  return files;
}

size_t lines_in(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t n = 0;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    if (bytes[i] == '\n' && bytes[i + 1] == 0) ++n;
  return n;
}

using vcam::testing::wait_for;

// A fault as the system would describe it, with this thread's context.
struct fake_fault {
  fake_fault() {
    record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    ::RtlCaptureContext(&context);
    pointers.ExceptionRecord = &record;
    pointers.ContextRecord = &context;
  }
  EXCEPTION_RECORD record{};
  CONTEXT context{};
  EXCEPTION_POINTERS pointers{};
};

class CrashReporterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path helper = fs::path(wide(application_folder())) / "boot_test_helper.exe";
    for (const char* name : {"zelobugreport.exe", "zelovcamcount.exe"}) fs::copy_file(helper, app_ / name);
  }
  crash_settings settings() const {
    return {app_.u16string() + u"\\", own_path(), u"http://upload.test/UploadFiles.php"};
  }
  bool programs_started(size_t times) const {
    return lines_in(app_ / "zelobugreport.args") == times && lines_in(app_ / "zelovcamcount.args") == times;
  }

  testing::ScratchFolder scratch_{"vcam_crash_"};
  fs::path app_ = scratch_.path();
  log_capture log_;
};

TEST_F(CrashReporterTest, TheFirstFaultWritesADumpIntoANewDumpFolderAndStartsBothPrograms) {
  crash_reporter reporter(settings());
  fake_fault fault;
  EXPECT_EQ(reporter.report(&fault.pointers), EXCEPTION_EXECUTE_HANDLER);
  const std::vector<fs::path> dumps = files_in(app_ / "dump");
  ASSERT_EQ(dumps.size(), 1u);
  EXPECT_EQ(dumps[0].extension(), ".dmp");
  EXPECT_GT(fs::file_size(dumps[0]), 0u);
  EXPECT_TRUE(wait_for([&] { return programs_started(1); }));
  EXPECT_EQ(log_.texts(), (std::vector<std::string>{"UnhandledExceptionFilter enter", "UnhandledExceptionFilter leave"}));
}

TEST_F(CrashReporterTest, ASecondFaultReturnsAtOnceWithoutADumpOrPrograms) {
  crash_reporter reporter(settings());
  fake_fault fault;
  reporter.report(&fault.pointers);
  ASSERT_TRUE(wait_for([&] { return programs_started(1); }));
  fs::remove_all(app_ / "dump");
  log_.clear();
  EXPECT_EQ(reporter.report(&fault.pointers), EXCEPTION_EXECUTE_HANDLER);
  ::Sleep(1000);
  EXPECT_FALSE(fs::exists(app_ / "dump"));
  EXPECT_TRUE(programs_started(1));
  EXPECT_TRUE(log_.texts().empty());
}

TEST_F(CrashReporterTest, ThreadsFaultingTogetherWriteOneDump) {
  crash_reporter reporter(settings());
  std::vector<std::thread> threads;
  for (int i = 0; i < 4; ++i)
    threads.emplace_back([&] {
      fake_fault fault;
      reporter.report(&fault.pointers);
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(files_in(app_ / "dump").size(), 1u);
  EXPECT_TRUE(wait_for([&] { return programs_started(1); }));
  ::Sleep(500);
  EXPECT_TRUE(programs_started(1));
}

TEST_F(CrashReporterTest, ADumpThatCannotBeWrittenStillStartsBothPrograms) {
  std::ofstream(app_ / "dump") << "a file where the folder should be";
  crash_reporter reporter(settings());
  fake_fault fault;
  EXPECT_EQ(reporter.report(&fault.pointers), EXCEPTION_EXECUTE_HANDLER);
  EXPECT_TRUE(fs::is_regular_file(app_ / "dump"));
  EXPECT_TRUE(wait_for([&] { return programs_started(1); }));
}

TEST_F(CrashReporterTest, NoExceptionPointersStillGiveADump) {
  crash_reporter reporter(settings());
  EXPECT_EQ(reporter.report(nullptr), EXCEPTION_EXECUTE_HANDLER);
  EXPECT_EQ(files_in(app_ / "dump").size(), 1u);
  EXPECT_TRUE(wait_for([&] { return programs_started(1); }));
}

TEST_F(CrashReporterTest, TheDumpListsTheModulesOfTheProcess) {
  // Wine writes the module list but ignores the data-section flags, so the
  // list is what can be checked here; the rule itself is tested below.
  crash_reporter reporter(settings());
  fake_fault fault;
  reporter.report(&fault.pointers);
  const std::vector<fs::path> dumps = files_in(app_ / "dump");
  ASSERT_EQ(dumps.size(), 1u);
  UniqueFile file(::CreateFileW(dumps[0].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file);
  UniqueHandle mapping(::CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  ASSERT_TRUE(mapping);
  UniqueView view(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  ASSERT_TRUE(view);
  MINIDUMP_DIRECTORY* directory = nullptr;
  void* stream = nullptr;
  ULONG size = 0;
  ASSERT_TRUE(::MiniDumpReadDumpStream(view.get(), ModuleListStream, &directory, &stream, &size));
  const auto* list = static_cast<const MINIDUMP_MODULE_LIST*>(stream);
  bool found_self = false, found_ntdll = false;
  for (ULONG i = 0; i < list->NumberOfModules; ++i) {
    const auto* name = reinterpret_cast<const MINIDUMP_STRING*>(static_cast<const char*>(view.get()) +
                                                                list->Modules[i].ModuleNameRva);
    const std::wstring text(name->Buffer, name->Length / sizeof(wchar_t));
    std::wstring lower = text;
    for (auto& c : lower) c = static_cast<wchar_t>(towlower(c));
    if (lower.find(L"crash_reporter_test") != std::wstring::npos) found_self = true;
    if (lower.find(L"ntdll") != std::wstring::npos) found_ntdll = true;
  }
  EXPECT_TRUE(found_self);
  EXPECT_TRUE(found_ntdll);
}

MINIDUMP_CALLBACK_OUTPUT module_output() {
  MINIDUMP_CALLBACK_OUTPUT out{};
  out.ModuleWriteFlags = ModuleWriteModule | ModuleWriteDataSeg | ModuleWriteMiscRecord;
  return out;
}

ULONG flags_after(const wchar_t* module, const wchar_t* launcher) {
  std::wstring path = module;
  MINIDUMP_CALLBACK_INPUT in{};
  in.CallbackType = ModuleCallback;
  in.Module.FullPath = path.data();
  MINIDUMP_CALLBACK_OUTPUT out = module_output();
  EXPECT_TRUE(dump_callback(const_cast<wchar_t*>(launcher), &in, &out));
  return out.ModuleWriteFlags;
}

TEST(DumpCallback, OnlyTheLauncherAndNtdllKeepTheirDataSections) {
  const wchar_t* launcher = L"C:\\Zelo\\vcam_launcher.exe";
  const ULONG all = ModuleWriteModule | ModuleWriteDataSeg | ModuleWriteMiscRecord;
  EXPECT_EQ(flags_after(L"C:\\Zelo\\VCAM_LAUNCHER.exe", launcher), all);
  EXPECT_EQ(flags_after(L"C:\\windows\\system32\\ntdll.dll", launcher), all);
  EXPECT_EQ(flags_after(L"C:\\Zelo\\vcam_client.dll", launcher), all & ~ULONG(ModuleWriteDataSeg));
  EXPECT_EQ(flags_after(L"C:\\windows\\system32\\kernel32.dll", launcher), all & ~ULONG(ModuleWriteDataSeg));
}

TEST(DumpCallback, ThreadAndIncludeCallbacksAgreeAndOthersRefuse) {
  MINIDUMP_CALLBACK_INPUT in{};
  MINIDUMP_CALLBACK_OUTPUT out{};
  for (ULONG type : {ThreadCallback, ThreadExCallback, IncludeThreadCallback, IncludeModuleCallback}) {
    in.CallbackType = type;
    EXPECT_TRUE(dump_callback(nullptr, &in, &out)) << type;
  }
  in.CallbackType = MemoryCallback;
  EXPECT_FALSE(dump_callback(nullptr, &in, &out));
  EXPECT_FALSE(dump_callback(nullptr, nullptr, &out));
  EXPECT_FALSE(dump_callback(nullptr, &in, nullptr));
}

}  // namespace
}  // namespace vcam::launcher
