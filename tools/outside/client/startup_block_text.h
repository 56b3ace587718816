#pragma once
// What the client module reads out of the launcher's startup block. Every
// field is taken only up to its NUL inside its own size: a field that fills
// its size without one is not trusted and reads as empty.
#include <optional>
#include <string>
#include <vector>

#include "launcher/application/client_startup_block.h"

namespace vcam::client {

// The text of a fixed UTF-16 field of `units` code units; nothing when the
// field holds no NUL.
std::optional<std::u16string> block_field_text(const char16_t* field, std::size_t units);

struct StartupFields {
  std::u16string url_effect;
  std::u16string url_effect_download;
  std::u16string url_news;
  std::u16string exclude;
  std::u16string current_version;
  std::u16string latest_version;
  std::u16string command_line;
  std::vector<std::string> unterminated;  // names of fields read as empty for want of a NUL
};

StartupFields read_startup_block(const launcher::ClientStartupBlock& block);

// One UTF-8 log line per field, "name: text", in block order, then one line
// per unterminated field.
std::vector<std::string> describe_startup_fields(const StartupFields& fields);

// "ZeloOlvana - " followed by the version: the title the launcher looks for.
std::u16string client_window_title(const std::u16string& current_version);

}  // namespace vcam::client
