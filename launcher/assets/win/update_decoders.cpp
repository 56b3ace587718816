#include "launcher/assets/win/update_decoders.h"

#include "common/win/text_cp936.h"
#include "launcher/assets/decoder_downloads.h"
#include "launcher/assets/decoder_manifest.h"
#include "launcher/assets/decoder_plan.h"
#include "launcher/assets/decoder_texts.h"
#include "launcher/assets/http_download_port.h"
#include "launcher/remote/config_server.h"

namespace vcam::launcher {

bool update_decoders(const launcher_session& session, const std::string& url_codecs, std::u16string& error,
                     const decoder_sync_options& options) {
  // 1. The manifest.
  const remote_origin origin =
      launcher_remote_origin(utf16_to_cp936(session.current_version), session.application_folder);
  auto entries = std::make_shared<std::vector<manifest_entry>>();
  if (!load_decoder_manifest(download_remote_file, origin, *entries)) {
    error = cp936_to_utf16(remote_manifest_url(origin));
    return false;
  }
  // 2. Nothing to fetch: no window at all.
  if (!decoder_download_needed(*entries)) return true;

  // 3. The worker, behind the progress window. What it writes is its own
  // until it posts its result; the URL of a failed file is read after that.
  auto failed_url = std::make_shared<std::string>();
  progress_job job = [entries, failed_url, folder = session.application_folder, url_codecs,
                      stall = options.stall_seconds](const progress_position_sink& move_bar) {
    http_download_port port(move_bar, stall);
    return run_decoder_downloads(*entries, folder, url_codecs, port, *failed_url);
  };
  const int result = run_progress_job(kDecoderUpdateText, decoder_download_total(*entries), std::move(job),
                                      session.splash, options.progress);
  if (result == 1) return true;
  error = cp936_to_utf16(result == 2 && !failed_url->empty() ? *failed_url : url_codecs);
  return false;
}

}  // namespace vcam::launcher
