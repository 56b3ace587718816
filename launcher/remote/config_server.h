#pragma once
// The configuration server: the base URL ("…/config/") that every per-version
// remote file (configuration, manifest, update notes) is fetched below. It is
// fixed at build time (CMake cache variable VCAM_CONFIG_BASE_URL); the
// environment variable VCAM_CONFIG_SERVER, when it holds a usable URL,
// replaces it at run time, so that one build can be pointed at a test server.
#include <optional>
#include <string>
#include <string_view>

#include "launcher/remote/remote_file.h"

namespace vcam::launcher {

inline constexpr char kConfigServerVariable[] = "VCAM_CONFIG_SERVER";

// The base URL this build was configured with.
std::string_view built_in_configuration_base_url();

// The override when it is a usable base URL, else `built_in`. Usable: an
// "http://" or "https://" URL with a host, printable ASCII without blanks,
// quotes or angle brackets; a missing final "/" is added, since per-version
// names are appended to it.
std::string choose_configuration_base_url(const std::optional<std::string>& override_value,
                                          std::string_view built_in);

// The value of VCAM_CONFIG_SERVER in this process, if set.
std::optional<std::string> configuration_server_override();

// The base URL in effect: the override, else the built-in one.
inline std::string configuration_base_url() {
  return choose_configuration_base_url(configuration_server_override(), built_in_configuration_base_url());
}

// Where this launcher's remote files come from: the base URL in effect, the
// current version and the application folder (ending with a separator).
inline remote_origin launcher_remote_origin(std::string version, std::u16string application_folder) {
  return {configuration_base_url(), std::move(version), std::move(application_folder)};
}

}  // namespace vcam::launcher
