#pragma once
// The boot step's manifest: the per-version ".manifest" file when it is
// valid, else the last-known-good "manifest_local".
#include <string>
#include <vector>

#include "launcher/assets/manifest_entry.h"
#include "launcher/remote/remote_file.h"

namespace vcam::launcher {

std::string remote_manifest_url(const remote_origin& origin);

// The entries to download; false when neither copy is usable (the caller's
// error text is then the remote manifest URL).
bool load_decoder_manifest(const remote_download& download, const remote_origin& origin,
                           std::vector<manifest_entry>& entries);

}  // namespace vcam::launcher
