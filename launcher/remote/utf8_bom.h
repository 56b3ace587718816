#pragma once
// The optional UTF-8 byte-order mark of the remote JSON files. Each of its
// three bytes is skipped when it comes next, in order, so a partial mark
// (EF BB without BF, or BB BF alone) is skipped as far as it matches.
#include <string_view>

namespace vcam::launcher {

inline std::string_view skip_utf8_bom(std::string_view text) {
  for (unsigned char mark : {0xEFu, 0xBBu, 0xBFu}) {
    if (!text.empty() && static_cast<unsigned char>(text.front()) == mark) text.remove_prefix(1);
  }
  return text;
}

}  // namespace vcam::launcher
