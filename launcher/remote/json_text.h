#pragma once
// JSON documents of the remote files, parsed with RapidJSON's DOM.
#include <rapidjson/document.h>

#include <string>
#include <string_view>

namespace vcam::launcher {

// Parses UTF-8 `text` (no byte-order mark) into `doc`; false on a syntax
// error. The parser is iterative, so deep nesting in a hostile file cannot
// exhaust the stack.
bool parse_json(rapidjson::Document& doc, std::string_view text);

// The string member `key` of `object` up to its first zero byte; false when
// the member is missing or not a string.
bool json_string_member(const rapidjson::Value& object, const char* key, std::string& value);

// The unsigned member `key` of `object`; false when it is missing, not an
// integer, negative or wider than 32 bits.
bool json_uint_member(const rapidjson::Value& object, const char* key, unsigned& value);

}  // namespace vcam::launcher
