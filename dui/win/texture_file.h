#pragma once
// A texture from an image file on disk, outside the skin pack and the image
// cache; the launcher draws such textures itself.
#include <memory>
#include <string>

#include "dui/skin/texture.h"

namespace vcam::dui {

// Files larger than this are refused unread.
inline constexpr unsigned long kMaxTextureFileBytes = 64ul << 20;

// The file decoded and premultiplied into a DIB section texture that the
// caller owns; null when the file cannot be read or is no image.
std::unique_ptr<Texture> LoadTextureFile(const std::u16string& path);

}  // namespace vcam::dui
