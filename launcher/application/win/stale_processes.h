#pragma once
// Ends copies of the product's programs that still run, before the client and
// its decoders are touched (rules: launcher/application/stale_process_rules.h).
// Processes that cannot be opened are skipped; nothing is reported.
#include <string>

namespace vcam::launcher {

// `folder` ends with "\"; its "*.exe" files are the programs of rule 1.
void stop_stale_processes(const std::u16string& folder);

}  // namespace vcam::launcher
