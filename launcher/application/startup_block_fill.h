#pragma once
// The launcher's part of the client startup block: both versions and the
// command line, each copied only when it fits its field with the terminator.
#include <cstddef>
#include <string_view>

#include "launcher/application/client_startup_block.h"

namespace vcam::launcher {

// Copies `text` and its terminator into `field` of `units` code units when it
// fits; otherwise the field is left empty, as the runtime's bounded copy does
// when its failure report is ignored. True when copied.
bool bounded_copy(char16_t* field, std::size_t units, std::u16string_view text);

// Fills the version and command-line fields. An empty command line leaves
// its field empty.
void fill_launcher_fields(ClientStartupBlock& block, std::u16string_view current_version,
                          std::u16string_view latest_version, std::u16string_view command_line);

}  // namespace vcam::launcher
