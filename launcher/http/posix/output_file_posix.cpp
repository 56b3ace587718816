#include <cstdio>

#include "launcher/http/output_file.h"

namespace vcam::launcher {

std::FILE* open_output_file(const std::string& name) { return std::fopen(name.c_str(), "wb"); }

void delete_output_file(const std::string& name) { std::remove(name.c_str()); }

}  // namespace vcam::launcher
