#include "launcher/program/minidump_file.h"

namespace vcam::launcher::wintest {
namespace {

// "MDMP" read as a little-endian number (the SDK macro is a multi-character constant).
constexpr ULONG32 kSignature = 0x504D444D;

}  // namespace

minidump_file::minidump_file(const std::filesystem::path& path) {
  file_.reset(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER size{};
  if (!file_ || !::GetFileSizeEx(file_.get(), &size) || size.QuadPart < static_cast<LONGLONG>(sizeof(MINIDUMP_HEADER)))
    return;
  file_size_ = static_cast<std::uint64_t>(size.QuadPart);
  mapping_.reset(::CreateFileMappingW(file_.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping_) return;
  view_.reset(::MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 0));
  if (!view_) return;
  const auto* header = static_cast<const MINIDUMP_HEADER*>(view_.get());
  const std::uint64_t directory_size = std::uint64_t{header->NumberOfStreams} * sizeof(MINIDUMP_DIRECTORY);
  valid_ = header->Signature == kSignature && LOWORD(header->Version) == MINIDUMP_VERSION &&
           at(header->StreamDirectoryRva, directory_size) != nullptr;
}

const unsigned char* minidump_file::at(std::uint64_t rva, std::uint64_t size) const {
  if (!view_ || rva > file_size_ || size > file_size_ - rva) return nullptr;
  return static_cast<const unsigned char*>(view_.get()) + rva;
}

const unsigned char* minidump_file::stream(ULONG type, ULONG& size) const {
  if (!valid_) return nullptr;
  MINIDUMP_DIRECTORY* entry = nullptr;
  void* bytes = nullptr;
  size = 0;
  if (!::MiniDumpReadDumpStream(view_.get(), type, &entry, &bytes, &size) || !entry) return nullptr;
  // dbghelp does not know the file's size: the directory entry is checked here.
  return at(entry->Location.Rva, entry->Location.DataSize) ? static_cast<const unsigned char*>(bytes) : nullptr;
}

bool minidump_file::has_stream(ULONG type) const {
  ULONG size = 0;
  return stream(type, size) != nullptr;
}

std::vector<dump_module> minidump_file::modules(bool& ok) const {
  ok = false;
  ULONG size = 0;
  const unsigned char* bytes = stream(ModuleListStream, size);
  if (!bytes || size < sizeof(ULONG32)) return {};
  const auto* list = reinterpret_cast<const MINIDUMP_MODULE_LIST*>(bytes);
  if ((size - sizeof(ULONG32)) / sizeof(MINIDUMP_MODULE) < list->NumberOfModules) return {};
  std::vector<dump_module> modules;
  for (ULONG32 i = 0; i < list->NumberOfModules; ++i) {
    const MINIDUMP_MODULE& m = list->Modules[i];
    const auto* name = reinterpret_cast<const MINIDUMP_STRING*>(at(m.ModuleNameRva, sizeof(ULONG32)));
    if (!name || (name->Length & 1) || !at(m.ModuleNameRva + sizeof(ULONG32), name->Length)) return {};
    modules.push_back({std::wstring(name->Buffer, name->Length / sizeof(WCHAR)), m.BaseOfImage, m.SizeOfImage});
  }
  ok = true;
  return modules;
}

std::vector<dump_range> minidump_file::memory(bool& ok) const {
  ok = false;
  std::vector<dump_range> ranges;
  ULONG size = 0;
  if (const unsigned char* bytes = stream(MemoryListStream, size)) {
    if (size < sizeof(ULONG32)) return {};
    const auto* list = reinterpret_cast<const MINIDUMP_MEMORY_LIST*>(bytes);
    if ((size - sizeof(ULONG32)) / sizeof(MINIDUMP_MEMORY_DESCRIPTOR) < list->NumberOfMemoryRanges) return {};
    for (ULONG32 i = 0; i < list->NumberOfMemoryRanges; ++i) {
      const MINIDUMP_MEMORY_DESCRIPTOR& d = list->MemoryRanges[i];
      if (!at(d.Memory.Rva, d.Memory.DataSize)) return {};
      ranges.push_back({d.StartOfMemoryRange, d.Memory.DataSize});
    }
  }
  if (const unsigned char* bytes = stream(Memory64ListStream, size)) {
    const std::uint64_t fixed = sizeof(ULONG64) + sizeof(RVA64);
    if (size < fixed) return {};
    const auto* list = reinterpret_cast<const MINIDUMP_MEMORY64_LIST*>(bytes);
    if ((size - fixed) / sizeof(MINIDUMP_MEMORY_DESCRIPTOR64) < list->NumberOfMemoryRanges) return {};
    // The ranges' bytes follow one another from BaseRva on.
    std::uint64_t rva = list->BaseRva;
    for (ULONG64 i = 0; i < list->NumberOfMemoryRanges; ++i) {
      const MINIDUMP_MEMORY_DESCRIPTOR64& d = list->MemoryRanges[i];
      if (!at(rva, d.DataSize)) return {};
      ranges.push_back({d.StartOfMemoryRange, d.DataSize});
      rva += d.DataSize;
    }
  }
  ok = true;
  return ranges;
}

}  // namespace vcam::launcher::wintest
