#include "launcher/crash/win/crash_reporter.h"

#include <dbghelp.h>
#include <shellapi.h>

#include "common/win/folders.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "launcher/application/launcher_texts.h"
#include "launcher/application/win/application.h"
#include "launcher/crash/dump_file_name.h"
#include "launcher/crash/dump_module_filter.h"
#include "launcher/crash/uploader_command.h"
#include "launcher/log/log_sink.h"

#ifndef VCAM_UPLOAD_BASE_URL
#define VCAM_UPLOAD_BASE_URL "http://127.0.0.1:8080"
#endif

namespace vcam::launcher {

namespace {

constexpr MINIDUMP_TYPE kDumpType = static_cast<MINIDUMP_TYPE>(MiniDumpScanMemory | MiniDumpWithIndirectlyReferencedMemory);
static_assert(kDumpType == 0x50);

void start_program(const std::u16string& file, const std::u16string& parameters, int show) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.lpFile = wide(file);
  info.lpParameters = wide(parameters);
  info.nShow = show;
  ::ShellExecuteExW(&info);
}

// The handler runs once per process, so the reporter lives for the process.
crash_reporter* g_reporter = nullptr;

LONG WINAPI unhandled_exception_filter(EXCEPTION_POINTERS* pointers) {
  return g_reporter ? g_reporter->report(pointers) : EXCEPTION_EXECUTE_HANDLER;
}

std::u16string main_module_path() {
  wchar_t path[512] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, path, 512);
  return n > 0 && n < 512 ? std::u16string(u16(path, n)) : std::u16string();
}

}  // namespace

BOOL CALLBACK dump_callback(void* launcher_path, MINIDUMP_CALLBACK_INPUT* input, MINIDUMP_CALLBACK_OUTPUT* output) {
  if (!input || !output) return FALSE;
  switch (input->CallbackType) {
    case ModuleCallback:
      if ((output->ModuleWriteFlags & ModuleWriteDataSeg) &&
          !module_data_needed(u16(input->Module.FullPath),
                              u16(static_cast<const wchar_t*>(launcher_path ? launcher_path : L""))))
        output->ModuleWriteFlags &= ~ModuleWriteDataSeg;
      return TRUE;
    case ThreadCallback:
    case ThreadExCallback:
    case IncludeThreadCallback:
    case IncludeModuleCallback:
      return TRUE;
    default:
      return FALSE;
  }
}

LONG crash_reporter::report(EXCEPTION_POINTERS* pointers) {
  if (!gate_.enter()) return EXCEPTION_EXECUTE_HANDLER;
  log_plain("UnhandledExceptionFilter enter");

  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  const std::u16string folder = dump_folder();
  write_dump(dump_file_name(folder, {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                                     now.wMilliseconds}),
             pointers);

  const std::u16string uploader = settings_.application_folder + u"zelobugreport.exe";
  ::OutputDebugStringW(wide(uploader));
  const application* app = application::instance();
  const std::u16string current = app ? app->current_version() : std::u16string(kProductVersion);
  const std::u16string latest = app ? app->latest_version() : std::u16string(kProductVersion);
  start_program(uploader, uploader_arguments(settings_.upload_endpoint, folder, current, latest), SW_SHOWNORMAL);
  log_plain("UnhandledExceptionFilter leave");
  start_program(settings_.application_folder + u"zelovcamcount.exe", u"crash", SW_HIDE);
  return EXCEPTION_EXECUTE_HANDLER;
}

void crash_reporter::write_dump(const std::u16string& path, EXCEPTION_POINTERS* pointers) {
  // The folder is made at start-up; a fault before that still gets a dump.
  create_folder_path(dump_folder());
  UniqueFile file(::CreateFileW(wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  MINIDUMP_EXCEPTION_INFORMATION exception{};
  exception.ThreadId = ::GetCurrentThreadId();
  exception.ExceptionPointers = pointers;
  exception.ClientPointers = FALSE;
  MINIDUMP_CALLBACK_INFORMATION callback{};
  callback.CallbackRoutine = &dump_callback;
  callback.CallbackParam = const_cast<char16_t*>(settings_.launcher_path.c_str());
  ::MiniDumpWriteDump(::GetCurrentProcess(), ::GetCurrentProcessId(), file.get(), kDumpType,
                      pointers ? &exception : nullptr, nullptr, &callback);
}

std::u16string upload_base_url() {
  wchar_t value[1024] = {};
  const DWORD n = ::GetEnvironmentVariableW(L"VCAM_UPLOAD_BASE_URL", value, 1024);
  if (n > 0 && n < 1024) return std::u16string(u16(value, n));
  std::u16string built;
  for (const char* c = VCAM_UPLOAD_BASE_URL; *c; ++c) built.push_back(static_cast<char16_t>(static_cast<unsigned char>(*c)));
  return built;
}

crash_filter_installation::crash_filter_installation() {
  static crash_reporter reporter({application_folder(), main_module_path(), upload_endpoint(upload_base_url())});
  g_reporter = &reporter;
  previous_ = ::SetUnhandledExceptionFilter(&unhandled_exception_filter);
}

crash_filter_installation::~crash_filter_installation() { ::SetUnhandledExceptionFilter(previous_); }

}  // namespace vcam::launcher
