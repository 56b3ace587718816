#include "launcher/program/boot_step_wiring.h"

#include "common/win/text_cp936.h"
#include "launcher/application/win/data_folder.h"
#include "launcher/assets/win/update_decoders.h"
#include "launcher/main/load_configuration.h"
#include "launcher/remote/config_server.h"
#include "launcher/update/win/start_patcher.h"
#include "launcher/update/win/windows_update_port.h"

namespace vcam::launcher {

const launcher_session& boot_step_wiring::session() {
  if (!session_filled_) {
    session_.application_folder = data_folder();
    session_.current_version = app_.current_version();
    session_.splash = &splash_;
    session_.set_latest_version = [this](const std::u16string& version) { app_.set_latest_version(version); };
    session_filled_ = true;
  }
  return session_;
}

bool boot_step_wiring::load(ClientStartupBlock& block, std::string& url_codecs, std::string& url_update) {
  const launcher_session& s = session();
  return load_configuration(download_remote_file,
                            launcher_remote_origin(utf16_to_cp936(s.current_version), s.application_folder), block,
                            url_codecs, url_update);
}

std::u16string boot_step_wiring::url() {
  return cp936_to_utf16(remote_configuration_url(launcher_remote_origin(utf16_to_cp936(app_.current_version()), {})));
}

bool boot_step_wiring::check(const std::string& url_update, bool& mandatory) {
  return check_update(session(), url_update, mandatory);
}

void boot_step_wiring::start_patcher() { vcam::launcher::start_patcher(session().application_folder); }

bool boot_step_wiring::synchronise(const std::string& url_codecs, std::u16string& error) {
  return update_decoders(session(), url_codecs, error);
}

}  // namespace vcam::launcher
