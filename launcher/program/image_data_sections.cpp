#include "launcher/program/image_data_sections.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

namespace vcam::launcher::wintest {

std::vector<dump_range> image_data_sections(const std::filesystem::path& image, std::uint64_t base, bool& ok) {
  ok = false;
  std::ifstream in(image, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto fits = [&](std::uint64_t offset, std::uint64_t size) {
    return offset <= bytes.size() && size <= bytes.size() - offset;
  };
  IMAGE_DOS_HEADER dos{};
  if (!fits(0, sizeof dos)) return {};
  std::copy_n(bytes.data(), sizeof dos, reinterpret_cast<char*>(&dos));
  if (dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0) return {};
  // Signature and file header are the same for 32- and 64-bit images.
  const std::uint64_t nt = static_cast<std::uint64_t>(dos.e_lfanew);
  IMAGE_FILE_HEADER file{};
  DWORD signature = 0;
  if (!fits(nt, sizeof signature + sizeof file)) return {};
  std::copy_n(bytes.data() + nt, sizeof signature, reinterpret_cast<char*>(&signature));
  std::copy_n(bytes.data() + nt + sizeof signature, sizeof file, reinterpret_cast<char*>(&file));
  if (signature != IMAGE_NT_SIGNATURE) return {};
  const std::uint64_t first = nt + sizeof signature + sizeof file + file.SizeOfOptionalHeader;
  if (!fits(first, std::uint64_t{file.NumberOfSections} * sizeof(IMAGE_SECTION_HEADER))) return {};
  std::vector<dump_range> sections;
  for (WORD i = 0; i < file.NumberOfSections; ++i) {
    IMAGE_SECTION_HEADER section{};
    std::copy_n(bytes.data() + first + i * sizeof section, sizeof section, reinterpret_cast<char*>(&section));
    if (!(section.Characteristics & IMAGE_SCN_MEM_WRITE)) continue;
    const std::uint64_t size = std::max<std::uint64_t>(section.Misc.VirtualSize, section.SizeOfRawData);
    if (size) sections.push_back({base + section.VirtualAddress, size});
  }
  ok = true;
  return sections;
}

}  // namespace vcam::launcher::wintest
