#pragma once
// shellExecuteEx: starts a program or opens a document through the shell.
#include <windows.h>

#include <optional>
#include <string_view>

namespace vcam::uninstaller {

struct ShellRun {
  enum Outcome {
    failed,     // ShellExecuteExW failed: the script sees false
    started,    // no wait asked (or no process to wait for): true
    ended,      // ended within the wait: true and the exit code when readable
    timed_out,  // still running after the wait: a single false
  };
  Outcome outcome;
  std::optional<DWORD> exit_code;
};

inline constexpr DWORD kShellWaitMs = 5000;

// ShellExecuteExW with the given mask, verb, file, parameters and show
// command, no folder. With SEE_MASK_NOCLOSEPROCESS waits up to `wait_ms`
// for the process; its handle is closed either way. Mask bits that make
// Windows read fields the scripts cannot fill (class, key, item list, icon,
// hot key, monitor) are dropped. An empty verb or parameter text is passed
// as none, so the default verb applies. An empty file, or a file or verb
// of MAX_PATH characters or more, fails without a call.
ShellRun shell_execute(std::u16string_view file, std::u16string_view parameters, std::u16string_view verb, int show,
                       ULONG mask, DWORD wait_ms = kShellWaitMs);

}  // namespace vcam::uninstaller
