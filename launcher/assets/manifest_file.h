#pragma once
// The decoder manifest: a UTF-8 JSON array of {name, file, md5, size}
// objects. Loading it yields the entries whose local file is missing or has
// another digest, in manifest order.
#include <string>
#include <vector>

#include "launcher/assets/manifest_entry.h"

namespace vcam::launcher {

// Reads and checks the manifest at `path`; local files are looked up below
// `application_folder` (which ends with a separator). Any bad element rejects
// the whole manifest. `entries` is replaced only on success; failures write a
// location line.
bool load_manifest_config_from_file(const std::u16string& path, const std::u16string& application_folder,
                                    std::vector<manifest_entry>& entries);

}  // namespace vcam::launcher
