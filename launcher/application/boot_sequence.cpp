#include "launcher/application/boot_sequence.h"

#include <cstring>
#include <string>

#include "launcher/application/exit_codes.h"
#include "launcher/application/launcher_texts.h"
#include "launcher/application/startup_block_fill.h"

namespace vcam::launcher {

namespace {

// Before every message and exit that leaves the client uncalled.
void full_teardown(boot_platform& platform, splash_port& splash) {
  platform.shut_down_infrastructure();
  splash.hide(true);
}

}  // namespace

std::u16string client_failure_text(const client_outcome& outcome) {
  switch (outcome.kind) {
    case client_outcome::not_loaded: {
      std::u16string text = kClientNotLoadedText;
      for (char c : std::to_string(outcome.error)) text.push_back(static_cast<char16_t>(c));
      return text;
    }
    case client_outcome::entry_missing:
      return kClientEntryMissingText;
    default:
      return {};
  }
}

int run_boot_sequence(boot_platform& platform, const boot_steps& steps, std::u16string_view command_line) {
  if (!platform.initialize(command_line)) return exit_initialize_failed;

  steps.splash.show_text(kSplashReadingConfiguration);
  ClientStartupBlock block;
  std::memset(&block, 0, sizeof block);
  std::string url_codecs, url_update;
  if (!steps.configuration.load(block, url_codecs, url_update)) {
    full_teardown(platform, steps.splash);
    platform.show_message(kConfigurationFailedText + steps.configuration.url());
    return exit_no_configuration;
  }

  steps.splash.show_text(kSplashReadingUpdate);
  // The latest version is taken before the check can replace it.
  fill_launcher_fields(block, platform.current_version(), platform.latest_version(), command_line);
  bool mandatory = false;
  if (steps.update.check(url_update, mandatory)) {
    full_teardown(platform, steps.splash);
    steps.update.start_patcher();
    return exit_update_started;
  }
  if (mandatory) {
    full_teardown(platform, steps.splash);
    return exit_mandatory_update;
  }

  steps.splash.show_text(kSplashReadingDecoders);
  platform.stop_stale_processes();
  std::u16string error;
  if (!steps.decoders.synchronise(url_codecs, error)) {
    full_teardown(platform, steps.splash);
    platform.show_message(kDecodersFailedText + error);
    return exit_decoders_failed;
  }

  // From here only the client module drives the splash.
  platform.shut_down_infrastructure();
  const client_outcome outcome = platform.call_client(block, steps.splash.client_interface());
  if (const std::u16string failure = client_failure_text(outcome); !failure.empty()) {
    platform.show_message(failure);
  } else if (outcome.kind == client_outcome::returned_true) {
    platform.relaunch();
  }
  return exit_client_called;
}

}  // namespace vcam::launcher
