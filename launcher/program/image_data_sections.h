#pragma once
// Where a module's writable sections (.data, .bss, ...) lie once it is loaded
// at `base`, read from its PE file with every offset checked against the
// file's size. The tests compare them with the memory a minidump holds.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "launcher/program/minidump_file.h"

namespace vcam::launcher::wintest {

// Empty with `ok` false when the file cannot be read or is not a PE image.
std::vector<dump_range> image_data_sections(const std::filesystem::path& image, std::uint64_t base, bool& ok);

}  // namespace vcam::launcher::wintest
