#pragma once
// Loads the client module and calls its entry. The module is never unloaded:
// the client may leave threads and windows behind that outlive its entry.
#include <string>

#include "launcher/application/boot_platform.h"

namespace vcam::launcher {

client_outcome call_client_module(const std::u16string& module_path, const ClientStartupBlock& block,
                                  splash_window_interface& splash);

}  // namespace vcam::launcher
