#pragma once
// The decoder manifest: a UTF-8 JSON array of {name, file, md5, size}
// objects. Loading it yields the entries whose local file is missing or has
// another digest, in manifest order.
#include <string>
#include <string_view>
#include <vector>

#include "launcher/assets/manifest_entry.h"

namespace vcam::launcher {

// Reads and checks the manifest at `path`; local files are looked up below
// `application_folder` (which ends with a separator). Any bad element rejects
// the whole manifest. `entries` is replaced only on success; failures write a
// location line.
bool load_manifest_config_from_file(const std::u16string& path, const std::u16string& application_folder,
                                    std::vector<manifest_entry>& entries);

// Why a manifest text was refused; the values are the location line numbers.
enum class manifest_refusal { none = 0, not_an_array = 34, element_not_an_object = 39, bad_element = 45 };

// Checks the manifest's text (byte-order mark included) and yields every
// element, in order, without looking at local files.
manifest_refusal read_manifest_text(std::string_view text, std::vector<manifest_entry>& listed);

}  // namespace vcam::launcher
