#pragma once
// The boot step that loads the configuration: the per-version file from the
// configuration server when it is valid, else the last-known-good copy.
#include <string>

#include "launcher/application/client_startup_block.h"
#include "launcher/remote/remote_file.h"

namespace vcam::launcher {

std::string remote_configuration_url(const remote_origin& origin);

// Downloads to "config", promotes a valid download to "config-local", or
// falls back to "config-local". Fills the block's configuration fields and
// the two URLs; false when neither copy is usable.
bool load_configuration(const remote_download& download, const remote_origin& origin,
                        ClientStartupBlock& block, std::string& url_codecs, std::string& url_update);

}  // namespace vcam::launcher
