#pragma once
// The update check's platform on Windows: three-attempt text downloads, the
// alert window for the prompt and the failure message, the patcher's digest,
// and the patch worker on the task runner behind the modal progress window.
#include <string>

#include "launcher/assets/win/progress_job.h"
#include "launcher/http/http_request.h"
#include "launcher/remote/launcher_session.h"
#include "launcher/update/check_update.h"

namespace vcam::launcher {

struct update_check_options {
  long stall_seconds = kStallSeconds;  // tests shorten it
  progress_job_options progress;
};

class windows_update_port final : public update_port {
 public:
  windows_update_port(const launcher_session& session, update_check_options options)
      : session_(session), options_(std::move(options)) {}

  bool download_text(const std::string& url, std::string& text) override;
  std::u16string current_version() override { return session_.current_version; }
  std::string url_text(const std::u16string& version) override;
  void set_latest_version(const std::u16string& version) override;
  void hide_splash() override { session_.hide_splash(); }
  int show_prompt(const update_prompt& prompt) override;
  std::u16string patcher_md5() override;
  bool download_patcher(const std::string& url, const update_config& config) override;
  void show_download_failure() override;

  std::u16string patcher_path() const;

 private:
  const launcher_session& session_;
  update_check_options options_;
};

// The boot sequence's update check against the configuration server in
// effect: true when the verified patcher must be started; false with
// `mandatory` set when a mandatory update was declined or failed.
bool check_update(const launcher_session& session, const std::string& url_update, bool& mandatory,
                  const update_check_options& options = {});

}  // namespace vcam::launcher
