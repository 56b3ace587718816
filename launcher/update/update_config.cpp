#include "launcher/update/update_config.h"

#include "common/text_utf.h"
#include "launcher/log/log_sink.h"
#include "launcher/remote/json_text.h"

namespace vcam::launcher {

bool update_config::load(std::string_view text) {
  rapidjson::Document doc;
  if (!parse_json(doc, text) || !doc.IsObject()) {
    log_location("update", "update_config::load", 34);
    return false;
  }
  update_config read;
  std::string version_text, md5_text;
  if (!json_uint_member(doc, "flag", read.flag) || !json_uint_member(doc, "size", read.size) ||
      !json_string_member(doc, "version", version_text) || !json_string_member(doc, "md5", md5_text))
    return false;
  read.version = utf8_to_utf16(version_text);
  read.md5 = utf8_to_utf16(md5_text);
  *this = std::move(read);
  return true;
}

}  // namespace vcam::launcher
