#pragma once
// The decoder step of the boot sequence: the manifest (downloaded and
// promoted, or the last-known-good copy), then every listed file whose local
// digest differs, fetched on a task-runner thread behind the modal progress
// window and verified one by one.
#include <memory>
#include <string>

#include "launcher/assets/win/progress_job.h"
#include "launcher/http/http_request.h"
#include "launcher/remote/launcher_session.h"

namespace vcam::launcher {

struct decoder_sync_options {
  long stall_seconds = kStallSeconds;  // tests shorten it
  progress_job_options progress;
};

// True when every listed file is in place (or nothing was listed). On failure
// `error` names what failed: the remote manifest URL when no manifest was
// usable, else the URL of the file that failed (without the cache token), or
// url_codecs when the job could not run or its window went away.
bool update_decoders(const launcher_session& session, const std::string& url_codecs, std::u16string& error,
                     const decoder_sync_options& options = {});

}  // namespace vcam::launcher
