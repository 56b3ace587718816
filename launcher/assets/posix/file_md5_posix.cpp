#include "launcher/assets/file_md5.h"

namespace vcam::launcher {

std::u16string file_md5(const std::u16string& path) { return file_md5_stdio(path); }

}  // namespace vcam::launcher
