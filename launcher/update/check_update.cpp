#include "launcher/update/check_update.h"

#include <optional>

#include "launcher/assets/file_md5.h"
#include "launcher/log/log_sink.h"

namespace vcam::launcher {

bool check_update(const std::string& url_update, const std::string& config_base_url, update_port& port,
                  bool& mandatory) {
  mandatory = false;
  std::string description;
  if (!port.download_text(url_update, description)) {
    log_location("update", "check_update", 115);
    return false;
  }
  update_config config;
  if (!config.load(description)) {
    log_location("update", "check_update", 118);
    return false;
  }
  if (!is_update(config.version, port.current_version())) return false;
  port.set_latest_version(config.version);

  const std::string version = port.url_text(config.version);
  std::optional<std::string> notes;
  if (std::string text; port.download_text(update_notes_url(config_base_url, version), text)) notes = std::move(text);
  port.hide_splash();
  const update_prompt prompt = make_update_prompt(config, notes);
  mandatory = prompt.mandatory;
  if (!prompt_accepted(port.show_prompt(prompt))) return false;

  // An earlier run may have fetched it already.
  if (digest_matches(port.patcher_md5(), config.md5)) return true;
  if (port.download_patcher(patcher_url(url_update, version), config)) return true;
  port.show_download_failure();
  return false;
}

}  // namespace vcam::launcher
