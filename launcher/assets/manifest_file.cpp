#include "launcher/assets/manifest_file.h"

#include "common/text_utf.h"
#include "launcher/assets/file_md5.h"
#include "launcher/assets/manifest_name.h"
#include "launcher/log/log_sink.h"
#include "launcher/remote/json_text.h"
#include "launcher/remote/utf8_bom.h"
#include "launcher/remote/whole_file.h"

namespace vcam::launcher {

namespace {

bool fail(int number) {
  log_location("assets", "load_manifest_config_from_file", number);
  return false;
}

// Reads the members in the order name, file, md5, size.
bool read_entry(const rapidjson::Value& element, manifest_entry& entry) {
  std::string md5;
  if (!json_string_member(element, "name", entry.name) || !json_string_member(element, "file", entry.file) ||
      !json_string_member(element, "md5", md5) || !json_uint_member(element, "size", entry.size))
    return false;
  entry.md5 = utf8_to_utf16(md5);
  return is_safe_manifest_name(entry.name);
}

}  // namespace

manifest_refusal read_manifest_text(std::string_view text, std::vector<manifest_entry>& listed) {
  rapidjson::Document doc;
  if (!parse_json(doc, skip_utf8_bom(text)) || !doc.IsArray()) return manifest_refusal::not_an_array;
  std::vector<manifest_entry> read;
  read.reserve(doc.Size());
  for (const auto& element : doc.GetArray()) {
    if (!element.IsObject()) return manifest_refusal::element_not_an_object;
    manifest_entry entry;
    if (!read_entry(element, entry)) return manifest_refusal::bad_element;
    read.push_back(std::move(entry));
  }
  listed = std::move(read);
  return manifest_refusal::none;
}

bool load_manifest_config_from_file(const std::u16string& path, const std::u16string& application_folder,
                                    std::vector<manifest_entry>& entries) {
  std::string bytes;
  if (read_whole_file(path, kRemoteFileLimit, bytes) != whole_file_result::read) return fail(30);
  // Every element is checked before any file is digested: a bad element
  // rejects the manifest however late it comes.
  std::vector<manifest_entry> listed;
  if (const manifest_refusal refusal = read_manifest_text(bytes, listed); refusal != manifest_refusal::none)
    return fail(static_cast<int>(refusal));
  std::vector<manifest_entry> differing;
  for (auto& entry : listed) {
    // Safe names are ASCII, the same in every code page.
    const std::u16string local = application_folder + std::u16string(entry.name.begin(), entry.name.end());
    if (!digest_matches(file_md5(local), entry.md5)) differing.push_back(std::move(entry));
  }
  entries = std::move(differing);
  return true;
}

}  // namespace vcam::launcher
