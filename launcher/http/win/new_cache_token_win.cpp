#include <objbase.h>

#include "launcher/http/cache_token.h"

namespace vcam::launcher {

std::string new_cache_token() {
  GUID g{};
  // A failure leaves the GUID zero; the transfer still goes out, only the
  // token repeats.
  ::CoCreateGuid(&g);
  guid_fields f;
  f.data1 = g.Data1;
  f.data2 = g.Data2;
  f.data3 = g.Data3;
  for (int i = 0; i < 8; ++i) f.data4[i] = g.Data4[i];
  return format_cache_token(f);
}

}  // namespace vcam::launcher
