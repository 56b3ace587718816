#pragma once
// The launcher configuration file: a UTF-8 JSON object with the service URLs
// for the client module (into the startup block), the decoder base URL and
// the update description URL.
#include <string>
#include <string_view>

#include "launcher/application/client_startup_block.h"

namespace vcam::launcher {

// Reads, checks and applies the file at `path`. Every key must be a string;
// the four block values must fit their fields with the terminator. On failure
// nothing is written. An unreadable (or oversized) file writes a location line.
bool load_config_from_file(const std::u16string& path, std::string& url_update, std::string& url_codecs,
                           ClientStartupBlock& block);

// The same checks on the file's text (byte-order mark included); writes no line.
bool apply_config_text(std::string_view text, std::string& url_update, std::string& url_codecs,
                       ClientStartupBlock& block);

}  // namespace vcam::launcher
