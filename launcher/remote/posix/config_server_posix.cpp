#include <cstdlib>

#include "launcher/remote/config_server.h"

namespace vcam::launcher {

std::optional<std::string> configuration_server_override() {
  const char* value = std::getenv(kConfigServerVariable);
  if (!value) return std::nullopt;
  return std::string(value);
}

}  // namespace vcam::launcher
