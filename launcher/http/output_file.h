#pragma once
// The output file of a file-mode transfer, named in the system code page.
#include <cstdio>
#include <string>

namespace vcam::launcher {

// Creates or truncates the file for binary writing; null on failure.
std::FILE* open_output_file(const std::string& name);
void delete_output_file(const std::string& name);

}  // namespace vcam::launcher
