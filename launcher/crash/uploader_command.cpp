#include "launcher/crash/uploader_command.h"

namespace vcam::launcher {

std::u16string upload_endpoint(std::u16string_view base_url) {
  while (!base_url.empty() && base_url.back() == u'/') base_url.remove_suffix(1);
  return std::u16string(base_url).append(kUploadPath);
}

std::u16string uploader_arguments(std::u16string_view endpoint, std::u16string_view dump_folder,
                                  std::u16string_view current_version, std::u16string_view latest_version) {
  std::u16string arguments;
  for (const std::u16string_view value : {endpoint, dump_folder, current_version, latest_version}) {
    if (!arguments.empty()) arguments.push_back(u' ');
    arguments.push_back(u'"');
    arguments.append(value);
    arguments.push_back(u'"');
  }
  return arguments;
}

}  // namespace vcam::launcher
