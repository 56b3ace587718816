#include "launcher/application/win/client_module.h"

#include <windows.h>

#include "common/win/wide.h"

namespace vcam::launcher {

client_outcome call_client_module(const std::u16string& module_path, const ClientStartupBlock& block,
                                  splash_window_interface& splash) {
  HMODULE module = ::LoadLibraryW(wide(module_path));
  if (!module) return {client_outcome::not_loaded, ::GetLastError()};
  const auto entry = reinterpret_cast<client_entry>(
      reinterpret_cast<void (*)()>(::GetProcAddress(module, "_zelovirtual_camera_main")));
  if (!entry) return {client_outcome::entry_missing};
  return {entry(&block, &splash) ? client_outcome::returned_true : client_outcome::returned_false};
}

}  // namespace vcam::launcher
