#include "launcher/remote/json_text.h"

#include <rapidjson/memorystream.h>

namespace vcam::launcher {

bool parse_json(rapidjson::Document& doc, std::string_view text) {
  // A plain memory stream: the byte-order mark has been dealt with by the
  // caller's rule, and the parser must not skip a second one.
  rapidjson::MemoryStream stream(text.data(), text.size());
  doc.ParseStream<rapidjson::kParseIterativeFlag, rapidjson::UTF8<>>(stream);
  return !doc.HasParseError();
}

bool json_string_member(const rapidjson::Value& object, const char* key, std::string& value) {
  const auto member = object.FindMember(key);
  if (member == object.MemberEnd() || !member->value.IsString()) return false;
  // A "\u0000" escape ends the text, as it would for the C strings it becomes.
  const std::string_view text(member->value.GetString(), member->value.GetStringLength());
  value.assign(text.substr(0, text.find('\0')));
  return true;
}

bool json_uint_member(const rapidjson::Value& object, const char* key, unsigned& value) {
  const auto member = object.FindMember(key);
  if (member == object.MemberEnd() || !member->value.IsUint()) return false;
  value = member->value.GetUint();
  return true;
}

}  // namespace vcam::launcher
