#pragma once
#include <string>

#include "tools/gallery/rgba_picture.h"

namespace vcam::gallery {

// Writes the picture as a PNG file; false when it cannot.
bool write_picture(const std::u16string& path, const RgbaPicture& picture);

}  // namespace vcam::gallery
