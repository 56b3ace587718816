#include "launcher/update/win/windows_update_port.h"

#include "common/win/text_cp936.h"
#include "launcher/assets/file_md5.h"
#include "launcher/assets/http_download_port.h"
#include "launcher/http/http_download.h"
#include "launcher/remote/config_server.h"
#include "launcher/update/patch_download.h"
#include "launcher/update/update_texts.h"
#include "launcher/windows/alert_window.h"

namespace vcam::launcher {
namespace {

std::wstring wide_text(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

alert_request one_button_alert(std::u16string_view message, std::u16string_view title) {
  alert_request request;
  request.two_buttons = false;
  request.message = wide_text(message);
  request.title = wide_text(title);
  request.confirm_text = wide_text(kConfirmButtonText);
  request.cancel_text = wide_text(kCancelButtonText);
  return request;
}

}  // namespace

bool windows_update_port::download_text(const std::string& url, std::string& text) {
  return http_request_download_text(url, text);
}

std::string windows_update_port::url_text(const std::u16string& version) { return utf16_to_cp936(version); }

void windows_update_port::set_latest_version(const std::u16string& version) {
  if (session_.set_latest_version) session_.set_latest_version(version);
}

int windows_update_port::show_prompt(const update_prompt& prompt) {
  alert_request request = one_button_alert(u"", prompt.title);
  request.two_buttons = prompt.buttons == 2;
  request.confirm_text = wide_text(prompt.confirm_text);
  request.cancel_text = wide_text(prompt.cancel_text);
  std::vector<std::wstring> lines;
  lines.reserve(prompt.lines.size());
  for (const auto& line : prompt.lines) lines.push_back(wide_text(line));
  return show_alert_with_lines(request, lines);
}

std::u16string windows_update_port::patcher_path() const {
  return session_.application_folder + kPatcherRelativePath;
}

std::u16string windows_update_port::patcher_md5() { return file_md5(patcher_path()); }

bool windows_update_port::download_patcher(const std::string& url, const update_config& config) {
  progress_job job = [url, path = patcher_path(), md5 = config.md5,
                      stall = options_.stall_seconds](const progress_position_sink& move_bar) {
    http_download_port port(move_bar, stall);
    return run_patch_download(url, path, md5, port);
  };
  return run_progress_job(kPatchDownloadText, config.size, std::move(job), session_.splash, options_.progress) == 1;
}

void windows_update_port::show_download_failure() {
  show_alert(one_button_alert(kPatchDownloadFailedText, kPatchDownloadFailedTitle));
}

bool check_update(const launcher_session& session, const std::string& url_update, bool& mandatory,
                  const update_check_options& options) {
  windows_update_port port(session, options);
  return check_update(url_update, configuration_base_url(), port, mandatory);
}

}  // namespace vcam::launcher
