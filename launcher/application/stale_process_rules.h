#pragma once
// Which running programs the launcher ends before it touches the client and
// its decoders:
//   1. a program started from one of the "*.exe" files of the application
//      folder, unless that path names "zelovcamon.exe" or "vcam_launcher.exe";
//   2. every "zelovcamon.exe", wherever it was started from.
// The running launcher is never ended, whatever its file name.
#include <string>
#include <string_view>

namespace vcam::launcher {

// A–Z turned into a–z; other units unchanged.
std::u16string ascii_lower(std::u16string_view text);
bool equal_ignoring_ascii_case(std::u16string_view a, std::u16string_view b);

// Rule 1: whether a running copy of the folder's file `exe_path` is ended.
bool folder_program_is_swept(std::u16string_view exe_path);

// Rule 2: the file name of a snapshot entry.
bool is_swept_everywhere(std::u16string_view file_name);

// The launcher's own process is spared by both rules.
inline bool may_end_process(unsigned long process_id, unsigned long own_process_id) {
  return process_id != own_process_id;
}

// The exit code a swept program ends with: -8.
inline constexpr unsigned long kStaleProcessExitCode = 0xFFFFFFF8ul;
inline constexpr unsigned long kStaleProcessWaitMs = 10000;

}  // namespace vcam::launcher
