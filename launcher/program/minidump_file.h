#pragma once
// A minidump written by the launcher, mapped read-only for the tests. Streams
// are found through dbghelp; every offset the file holds (stream directory,
// module names, memory ranges) is checked against the file's size before it
// is followed, so a damaged dump fails a test instead of crashing it.
#include <windows.h>

#include <dbghelp.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/win/unique_handle.h"

namespace vcam::launcher::wintest {

struct dump_module {
  std::wstring path;
  std::uint64_t base = 0;
  std::uint32_t size = 0;
};

struct dump_range {
  std::uint64_t start = 0;
  std::uint64_t size = 0;
};

class minidump_file {
 public:
  explicit minidump_file(const std::filesystem::path& path);
  minidump_file(const minidump_file&) = delete;
  minidump_file& operator=(const minidump_file&) = delete;

  // Mapped, with the minidump signature and version.
  bool valid() const { return valid_; }
  bool has_stream(ULONG type) const;
  // Empty with `ok` false when the stream's entries or names lie outside the file.
  std::vector<dump_module> modules(bool& ok) const;
  // The ranges of MemoryListStream and Memory64ListStream together; `ok` false
  // when a range's bytes lie outside the file.
  std::vector<dump_range> memory(bool& ok) const;

 private:
  // The stream's bytes when the whole stream lies inside the file.
  const unsigned char* stream(ULONG type, ULONG& size) const;
  const unsigned char* at(std::uint64_t rva, std::uint64_t size) const;

  UniqueFile file_;
  UniqueHandle mapping_;
  UniqueView view_;
  std::uint64_t file_size_ = 0;
  bool valid_ = false;
};

}  // namespace vcam::launcher::wintest
