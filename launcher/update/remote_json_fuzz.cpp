// The three remote JSON texts from arbitrary bytes: the configuration, the
// manifest and the update description, with the notes splitter. The
// sanitizers catch any read past a buffer; the checks below catch results
// that break the loaders' promises.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "launcher/assets/manifest_file.h"
#include "launcher/assets/manifest_name.h"
#include "launcher/main/config_file.h"
#include "launcher/update/update_config.h"
#include "launcher/update/update_notes.h"

using namespace vcam::launcher;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  ClientStartupBlock block;
  std::memset(&block, 0, sizeof block);
  std::string url_update, url_codecs;
  if (apply_config_text(text, url_update, url_codecs, block)) {
    // Every field keeps its terminator.
    if (block.url_news[255] != 0 || block.url_effect[255] != 0 || block.url_effect_download[255] != 0 ||
        block.exclude[1023] != 0)
      std::abort();
  }

  std::vector<manifest_entry> listed;
  if (read_manifest_text(text, listed) == manifest_refusal::none) {
    for (const auto& entry : listed) {
      if (!is_safe_manifest_name(entry.name)) std::abort();
    }
  }

  update_config config;
  config.load(text);

  for (const auto& line : split_update_notes(text)) {
    if (line.empty() || line.find_first_of(u"\r\n") != std::u16string::npos) std::abort();
  }
  return 0;
}
