#include "tools/outside/client/copy_data_text.h"

#include <algorithm>
#include <cstring>

namespace vcam::client {

std::u16string copy_data_text(const void* data, std::size_t bytes) {
  if (!data) return {};
  const std::size_t units = std::min(bytes / 2, kCopyDataTextLimit);
  std::u16string text(units, u'\0');
  // The sender's buffer need not be aligned for char16_t.
  std::memcpy(text.data(), data, units * 2);
  const std::size_t nul = text.find(u'\0');
  if (nul != std::u16string::npos) text.resize(nul);
  return text;
}

}  // namespace vcam::client
