// The product's patcher stand-in: writes how it was started to
// "patch-command-line.txt" beside itself and exits with 0 (1 when the record
// could not be written).
#include <windows.h>

#include <string>

#include "common/path_text.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "tools/outside/patch/command_line_record.h"

namespace {

std::u16string own_folder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  return vcam::folder_of(std::u16string(vcam::u16(path, n)));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::string record = vcam::outside::command_line_record(vcam::u16(::GetCommandLineW()));
  const std::u16string file = own_folder() + vcam::outside::kCommandLineRecordName;
  vcam::UniqueFile out(::CreateFileW(vcam::wide(file), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out) return 1;
  DWORD written = 0;
  const bool ok = ::WriteFile(out.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr) &&
                  written == record.size();
  return ok ? 0 : 1;
}
