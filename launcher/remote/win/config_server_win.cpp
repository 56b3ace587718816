// Read with the system's call rather than the C runtime's copy, so that a
// value set in this process with SetEnvironmentVariableW counts too.
#include <windows.h>

#include "common/text_utf.h"
#include "common/win/wide.h"
#include "launcher/remote/config_server.h"

namespace vcam::launcher {

std::optional<std::string> configuration_server_override() {
  const std::u16string name(kConfigServerVariable, kConfigServerVariable + sizeof kConfigServerVariable - 1);
  const DWORD needed = ::GetEnvironmentVariableW(wide(name), nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::u16string value(needed, u'\0');
  const DWORD length = ::GetEnvironmentVariableW(wide(name), reinterpret_cast<wchar_t*>(value.data()), needed);
  if (length == 0 || length >= needed) return std::nullopt;
  value.resize(length);
  // Non-ASCII text survives the conversion and is then refused as a URL.
  return utf16_to_utf8(value);
}

}  // namespace vcam::launcher
