#pragma once
// The boot step that loads the configuration: the per-version file from the
// configuration server when it is valid, else the last-known-good copy.
#include <string>

#include "launcher/application/client_startup_block.h"
#include "launcher/remote/remote_file.h"

namespace vcam::launcher {

// Where the configuration comes from.
struct configuration_origin {
  std::string base_url;         // the configuration server's "…/config/"
  std::string version;          // the launcher's current version, narrow
  std::u16string application_folder;  // ends with a backslash
};

std::string remote_configuration_url(const configuration_origin& origin);

// Downloads to "config", promotes a valid download to "config-local", or
// falls back to "config-local". Fills the block's configuration fields and
// the two URLs; false when neither copy is usable.
bool load_configuration(const remote_download& download, const configuration_origin& origin,
                        ClientStartupBlock& block, std::string& url_codecs, std::string& url_update);

}  // namespace vcam::launcher
