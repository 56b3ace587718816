#include "launcher/main/config_file.h"

#include <algorithm>
#include <array>
#include <span>

#include "common/text_utf.h"
#include "launcher/log/log_sink.h"
#include "launcher/remote/json_text.h"
#include "launcher/remote/utf8_bom.h"
#include "launcher/remote/whole_file.h"

namespace vcam::launcher {

namespace {

// The name the log has always used for this step.
constexpr char kLogFunction[] = "`anonymous-namespace'::load_config_from_file";

struct block_value {
  const char* key;
  std::span<char16_t> field;
  std::u16string text;
};

void fill_field(std::span<char16_t> field, const std::u16string& text) {
  std::fill(std::copy(text.begin(), text.end(), field.begin()), field.end(), u'\0');
}

}  // namespace

bool load_config_from_file(const std::u16string& path, std::string& url_update, std::string& url_codecs,
                           ClientStartupBlock& block) {
  std::string bytes;
  if (read_whole_file(path, kRemoteFileLimit, bytes) != whole_file_result::read) {
    log_location("main", kLogFunction, 63);
    return false;
  }
  return apply_config_text(bytes, url_update, url_codecs, block);
}

bool apply_config_text(std::string_view text, std::string& url_update, std::string& url_codecs,
                       ClientStartupBlock& block) {
  rapidjson::Document doc;
  if (!parse_json(doc, skip_utf8_bom(text)) || !doc.IsObject()) return false;

  // Checked in this order; the first failure ends the check.
  std::array<block_value, 4> values{{{"url_news", block.url_news, {}},
                                     {"url_effect", block.url_effect, {}},
                                     {"url_effect_download", block.url_effect_download, {}},
                                     {"exclude", block.exclude, {}}}};
  for (auto& value : values) {
    std::string utf8;
    if (!json_string_member(doc, value.key, utf8)) return false;
    value.text = utf8_to_utf16(utf8);
    if (value.text.size() >= value.field.size()) return false;
  }
  std::string codecs, update;
  if (!json_string_member(doc, "url_codecs", codecs) || !json_string_member(doc, "url_update", update)) return false;

  for (const auto& value : values) fill_field(value.field, value.text);
  url_codecs = std::move(codecs);
  url_update = std::move(update);
  return true;
}

}  // namespace vcam::launcher
