#include "launcher/assets/decoder_manifest.h"

#include "launcher/assets/manifest_file.h"

namespace vcam::launcher {

std::string remote_manifest_url(const remote_origin& origin) { return remote_file_url(origin, ".manifest"); }

bool load_decoder_manifest(const remote_download& download, const remote_origin& origin,
                           std::vector<manifest_entry>& entries) {
  const remote_file_names names{remote_manifest_url(origin), origin.application_folder + u"manifest",
                                origin.application_folder + u"manifest_local"};
  return fetch_remote_file(download, names, [&](const std::u16string& path) {
    return load_manifest_config_from_file(path, origin.application_folder, entries);
  });
}

}  // namespace vcam::launcher
