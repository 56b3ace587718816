// Peer of the process smoke test: opens the test's named mutex and section,
// waits for the mutex, writes its magic and the text it was given into the
// section, and exits 0; exit codes 2 to 4 tell which step failed.
#include <windows.h>

#include <cwchar>
#include <string>

#include "common/win/unique_handle.h"
#include "tools/smoke/shared_names.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 1;
  const std::wstring suffix = argv[1];
  vcam::UniqueHandle mutex(::OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE,
                                        (std::wstring(VCAM_SMOKE_MUTEX) + suffix).c_str()));
  if (!mutex) return 2;
  vcam::UniqueHandle section(::OpenFileMappingW(FILE_MAP_WRITE, FALSE,
                                                (std::wstring(VCAM_SMOKE_SECTION) + suffix).c_str()));
  if (!section) return 3;
  vcam::UniqueView view(::MapViewOfFile(section.get(), FILE_MAP_WRITE, 0, 0, kSmokeSectionSize));
  if (!view) return 3;
  vcam::MutexLock lock(mutex.get(), 10000);
  if (!lock.owns()) return 4;
  auto* words = static_cast<unsigned*>(view.get());
  words[0] = kSmokePeerMagic;
  words[1] = ::GetCurrentProcessId();
  std::wcsncpy(reinterpret_cast<wchar_t*>(words + 2), suffix.c_str(), 64);
  return 0;
}
