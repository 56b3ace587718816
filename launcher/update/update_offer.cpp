#include "launcher/update/update_offer.h"

#include "launcher/update/update_notes.h"
#include "launcher/update/update_texts.h"

namespace vcam::launcher {

update_prompt make_update_prompt(const update_config& config, const std::optional<std::string>& notes) {
  update_prompt prompt;
  prompt.mandatory = config.mandatory();
  prompt.buttons = prompt.mandatory ? 1 : 2;
  prompt.title = prompt.mandatory ? kMandatoryUpdateTitle : kOptionalUpdateTitle;
  prompt.confirm_text = kConfirmButtonText;
  prompt.cancel_text = kCancelButtonText;
  if (notes) prompt.lines = split_update_notes(*notes);
  if (prompt.lines.empty()) {
    prompt.lines.push_back(prompt.mandatory ? default_mandatory_note(config.version)
                                            : default_optional_note(config.version));
  }
  return prompt;
}

}  // namespace vcam::launcher
