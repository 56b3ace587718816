#pragma once
// The fixed block the launcher hands to the client module's entry. The client
// reads it by byte offsets, so the layout is pinned below; every field is
// UTF-16 and NUL-terminated inside its own size.
#include <cstddef>

namespace vcam::launcher {

struct ClientStartupBlock {
  char16_t url_effect[256];
  char16_t url_effect_download[256];
  char16_t url_news[256];
  char16_t exclude[1024];
  char16_t current_version[64];
  char16_t latest_version[64];
  char16_t command_line[1024];
};

static_assert(offsetof(ClientStartupBlock, url_effect) == 0);
static_assert(offsetof(ClientStartupBlock, url_effect_download) == 512);
static_assert(offsetof(ClientStartupBlock, url_news) == 1024);
static_assert(offsetof(ClientStartupBlock, exclude) == 1536);
static_assert(offsetof(ClientStartupBlock, current_version) == 3584);
static_assert(offsetof(ClientStartupBlock, latest_version) == 3712);
static_assert(offsetof(ClientStartupBlock, command_line) == 3840);
static_assert(sizeof(ClientStartupBlock) == 5888);

// The part of the block the configuration fills.
inline constexpr std::size_t kConfigurationBlockBytes = offsetof(ClientStartupBlock, current_version);

}  // namespace vcam::launcher
