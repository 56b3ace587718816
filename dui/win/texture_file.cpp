#include "dui/win/texture_file.h"

#include <windows.h>

#include <string>

#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "dui/skin/texture_decoder.h"
#include "dui/win/dib_texture.h"

namespace vcam::dui {

std::unique_ptr<Texture> LoadTextureFile(const std::u16string& path) {
  UniqueFile file(::CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return nullptr;
  DWORD high = 0;
  const DWORD size = ::GetFileSize(file.get(), &high);
  if (size == INVALID_FILE_SIZE || high != 0 || size == 0 || size > kMaxTextureFileBytes) return nullptr;
  std::string bytes(size, '\0');
  DWORD read = 0;
  if (!::ReadFile(file.get(), bytes.data(), size, &read, nullptr) || read != size) return nullptr;
  return DecodeTexture(bytes, true, [](std::int32_t w, std::int32_t h) -> std::unique_ptr<Texture> {
    return DibTexture::Create(w, h);
  });
}

}  // namespace vcam::dui
