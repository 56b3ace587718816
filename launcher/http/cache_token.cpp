#include "launcher/http/cache_token.h"

#include <cstdio>

namespace vcam::launcher {

std::string format_cache_token(const guid_fields& g) {
  char text[33];
  std::snprintf(text, sizeof text, "%08X%04X%04X%02X%02X%02X%02X%02X%02X%02X%02X",
                static_cast<unsigned>(g.data1), static_cast<unsigned>(g.data2),
                static_cast<unsigned>(g.data3), g.data4[0], g.data4[1], g.data4[2], g.data4[3],
                g.data4[4], g.data4[5], g.data4[6], g.data4[7]);
  return text;
}

std::string add_cache_query(std::string_view url, std::string_view token) {
  std::string out(url);
  out += url.find('?') == std::string_view::npos ? "?abcdefghijklm=" : "&abcdefghijklm=";
  out += token;
  return out;
}

}  // namespace vcam::launcher
