#pragma once
// The launcher's boot sequence after the application object exists: guards
// and set-up, configuration, update check, stale-process sweep, decoders,
// teardown and the client, mapped to the exit code.
#include <string_view>

#include "launcher/application/boot_platform.h"
#include "launcher/application/boot_steps.h"

namespace vcam::launcher {

struct boot_steps {
  configuration_step& configuration;
  update_step& update;
  decoder_step& decoders;
  splash_port& splash;
};

// The message shown when the client module cannot be used, or empty.
std::u16string client_failure_text(const client_outcome& outcome);

// Runs the sequence and returns the exit code.
int run_boot_sequence(boot_platform& platform, const boot_steps& steps, std::u16string_view command_line);

}  // namespace vcam::launcher
