#pragma once
// The cache-defeating query token: every transfer carries a fresh GUID in its
// query, so no cache between the launcher and the server answers for it.
#include <cstdint>
#include <string>
#include <string_view>

namespace vcam::launcher {

// The fields of a GUID as Windows lays them out.
struct guid_fields {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::uint8_t data4[8] = {};
};

// 32 upper-case hexadecimal digits, the fields in order, no separators.
std::string format_cache_token(const guid_fields& guid);

// `url` + "?abcdefghijklm=" + token, or "&abcdefghijklm=" when the URL already
// has a query.
std::string add_cache_query(std::string_view url, std::string_view token);

// A fresh token from a new GUID (CoCreateGuid on Windows).
std::string new_cache_token();

}  // namespace vcam::launcher
