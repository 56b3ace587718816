#include "uninstaller/script/win/shell_execute.h"

#include <shellapi.h>

#include <string>

#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace vcam::uninstaller {

namespace {

// SEE_MASK_CLASSNAME, SEE_MASK_CLASSKEY, SEE_MASK_IDLIST (and with it
// SEE_MASK_INVOKEIDLIST), SEE_MASK_ICON, SEE_MASK_HOTKEY, SEE_MASK_HMONITOR.
constexpr ULONG kFieldMasks = 0x00000001 | 0x00000003 | 0x00000004 | 0x0000000C | 0x00000010 | 0x00000020 |
                              0x00200000;

}  // namespace

ShellRun shell_execute(std::u16string_view file, std::u16string_view parameters, std::u16string_view verb, int show,
                       ULONG mask, DWORD wait_ms) {
  // The shell takes files by paths of fewer than MAX_PATH characters; Wine's
  // shell overruns its buffers on longer ones instead of failing.
  if (file.empty() || file.size() >= MAX_PATH || verb.size() >= MAX_PATH) return {ShellRun::failed, std::nullopt};
  const std::u16string file_text(file), parameter_text(parameters), verb_text(verb);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = mask & ~kFieldMasks;
  info.lpVerb = verb_text.empty() ? nullptr : wide(verb_text);
  info.lpFile = wide(file_text);
  info.lpParameters = parameter_text.empty() ? nullptr : wide(parameter_text);
  info.nShow = show;
  if (!::ShellExecuteExW(&info)) return {ShellRun::failed, std::nullopt};
  if (!(info.fMask & SEE_MASK_NOCLOSEPROCESS) || !info.hProcess) return {ShellRun::started, std::nullopt};
  const UniqueHandle process(info.hProcess);
  if (::WaitForSingleObject(process.get(), wait_ms) != WAIT_OBJECT_0) return {ShellRun::timed_out, std::nullopt};
  DWORD code = 0;
  if (!::GetExitCodeProcess(process.get(), &code)) return {ShellRun::ended, std::nullopt};
  return {ShellRun::ended, code};
}

}  // namespace vcam::uninstaller
