#pragma once
// How every run of the launcher ends: one of six exit codes.
namespace vcam::launcher {

enum exit_code : int {
  exit_client_called = 10000,        // the client ran (or could not be loaded), or the launcher relaunched
  exit_initialize_failed = 10001,    // a guard refused, or the task runner or message window did not start
  exit_no_configuration = 10002,     // neither the remote nor the local configuration was usable
  exit_update_started = 10003,       // an update was accepted and the patcher started
  exit_mandatory_update = 10004,     // a mandatory update was declined or its download failed
  exit_decoders_failed = 10005,      // the decoder files could not be brought up to date
};

}  // namespace vcam::launcher
