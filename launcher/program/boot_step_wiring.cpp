#include "launcher/program/boot_step_wiring.h"

#include <windows.h>

#include "common/text_utf.h"
#include "common/win/text_cp936.h"
#include "launcher/application/win/data_folder.h"
#include "launcher/main/load_configuration.h"

#ifndef VCAM_CONFIG_BASE_URL
#define VCAM_CONFIG_BASE_URL "http://127.0.0.1:8080/config/"
#endif

namespace vcam::launcher {

std::string boot_step_wiring::base_url() const {
  char value[1024] = {};
  const DWORD n = ::GetEnvironmentVariableA("VCAM_CONFIG_BASE_URL", value, sizeof value);
  return n > 0 && n < sizeof value ? std::string(value, n) : std::string(VCAM_CONFIG_BASE_URL);
}

bool boot_step_wiring::load(ClientStartupBlock& block, std::string& url_codecs, std::string& url_update) {
  const remote_origin origin{base_url(), utf16_to_cp936(app_.current_version()), data_folder()};
  return load_configuration(download_remote_file, origin, block, url_codecs, url_update);
}

std::u16string boot_step_wiring::url() {
  return cp936_to_utf16(remote_configuration_url({base_url(), utf16_to_cp936(app_.current_version()), {}}));
}

}  // namespace vcam::launcher
