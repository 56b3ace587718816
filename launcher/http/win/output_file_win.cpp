#include <windows.h>

#include "launcher/http/output_file.h"

namespace vcam::launcher {

std::FILE* open_output_file(const std::string& name) {
  std::FILE* f = nullptr;
  if (::fopen_s(&f, name.c_str(), "wb") != 0) return nullptr;
  return f;
}

void delete_output_file(const std::string& name) { ::DeleteFileA(name.c_str()); }

}  // namespace vcam::launcher
