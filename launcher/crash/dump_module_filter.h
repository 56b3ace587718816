#pragma once
// Which modules keep their data sections in a crash dump: the launcher's own
// executable and ntdll. Every other module (the client module included) is
// written without them, which keeps the dump small.
#include <string_view>

namespace vcam::launcher {

// `module_path` as the dump writer reports it; `launcher_path` the main
// module's file name. Both compared without regard to ASCII case.
bool module_data_needed(std::u16string_view module_path, std::u16string_view launcher_path);

}  // namespace vcam::launcher
