#include "launcher/main/load_configuration.h"

#include "launcher/main/config_file.h"

namespace vcam::launcher {

std::string remote_configuration_url(const remote_origin& origin) {
  return remote_file_url(origin, ".json");
}

bool load_configuration(const remote_download& download, const remote_origin& origin,
                        ClientStartupBlock& block, std::string& url_codecs, std::string& url_update) {
  const remote_file_names names{remote_configuration_url(origin), origin.application_folder + u"config",
                                origin.application_folder + u"config-local"};
  return fetch_remote_file(download, names, [&](const std::u16string& path) {
    return load_config_from_file(path, url_update, url_codecs, block);
  });
}

}  // namespace vcam::launcher
