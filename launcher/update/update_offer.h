#pragma once
// The UI-free decisions of the update check: whether the published version
// is an update, what the prompt shows, and where the patcher comes from and
// how it is started.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launcher/update/update_config.h"

namespace vcam::launcher {

// Only an equal text means no update: an older published version is offered
// too (a withdrawn release is rolled back that way).
inline bool is_update(std::u16string_view published, std::u16string_view current) { return published != current; }

// What the update prompt shows: an empty message, the title, one button for
// a mandatory update (which may only be confirmed) or two, and the notes.
struct update_prompt {
  bool mandatory = false;
  int buttons = 2;
  std::u16string title;
  std::u16string confirm_text;
  std::u16string cancel_text;
  std::vector<std::u16string> lines;
};

// `notes` is the notes text, or nothing when it could not be fetched. Notes
// without a single non-empty line count as none: the default note is shown.
update_prompt make_update_prompt(const update_config& config, const std::optional<std::string>& notes);

// The alert's result 1 is the confirm button; anything else (cancel, Escape,
// closing) declines.
inline bool prompt_accepted(int alert_result) { return alert_result == 1; }

// Below the application folder.
inline constexpr char16_t kPatcherRelativePath[] = u"patch\\patch.exe";

// The update description URL followed by the version (narrow) and ".exe".
inline std::string patcher_url(std::string_view url_update, std::string_view version) {
  return std::string(url_update).append(version).append(".exe");
}

// The patcher's parameters: the launcher's process id in decimal.
inline std::u16string patcher_parameters(unsigned long process_id) {
  const std::string digits = std::to_string(process_id);
  return std::u16string(digits.begin(), digits.end());
}

// "runas" on NT 6 and later (elevation exists), no verb before.
inline bool patcher_needs_elevation(bool nt_platform, unsigned long major_version) {
  return nt_platform && major_version >= 6;
}

// The notes' URL: configuration base URL + version + ".log".
inline std::string update_notes_url(std::string_view base_url, std::string_view version) {
  return std::string(base_url).append(version).append(".log");
}

}  // namespace vcam::launcher
