#pragma once
// _zelopack_reader: reads named files out of a ".zeloz" resource pack
// (zelopack_format.h). The pack is opened and its index validated and loaded
// once; the file stays open for the reader's life and each read is one seek
// and one read, descrambled in place. Failures are logged (log_sink.h) with
// source "zelopack_reader"; the reader never shows anything itself.
//
// A reader is used from one thread at a time: reads share the file position.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "common/malloc_buffer.h"
#include "launcher/pack/pack_file.h"

namespace vcam::launcher {

using pack_buffer = MallocBuffer;

class _zelopack_reader {
 public:
  // One directory entry as stored in the index.
  struct entry_info {
    std::uint32_t seed;
    std::uint32_t offset;
    std::uint32_t size;
  };

  _zelopack_reader() = default;
  ~_zelopack_reader() = default;
  _zelopack_reader(const _zelopack_reader&) = delete;
  _zelopack_reader& operator=(const _zelopack_reader&) = delete;

  // Opens the pack at `path` and writes its directory to the log; null when
  // initialize fails (its location line is then in the log).
  static std::unique_ptr<_zelopack_reader> open(const std::u16string& path);
  // The same over an already opened file (null file: fails as unopenable).
  static std::unique_ptr<_zelopack_reader> open(const std::u16string& path, std::unique_ptr<pack_file> file);

  // Validates the pack and loads its index; on any structural fault logs
  // "zelopack_reader - _zelopack_reader::initialize, <n>" and returns false,
  // leaving an empty directory.
  bool initialize(const std::u16string& path);
  bool initialize(const std::u16string& path, std::unique_ptr<pack_file> file);

  // The bytes of the named file (exact, case-sensitive name) and their count
  // in *size. The buffer holds 4 to 7 zero bytes after the file, so text
  // files can be used as NUL-terminated strings. Null when the name is absent
  // (logged as "_zelopack_reader, failed to read,\"name\"") or the read fails
  // (logged as location 96).
  pack_buffer read(std::u16string_view name, std::uint32_t* size);

  const std::u16string& path() const { return path_; }
  std::size_t file_count() const { return directory_.size(); }
  bool contains(std::u16string_view name) const { return directory_.find(name) != directory_.end(); }
  // Names in directory (code unit) order with their index entries.
  void for_each(const std::function<void(const std::u16string&, const entry_info&)>& visit) const;

 private:
  bool fail_initialize(int number);
  entry_info entry_at(std::uint32_t position) const;
  void dump() const;

  // Fields in the order the design gives them: raw index, open file, path,
  // directory (name -> position of its entry in the raw index).
  pack_buffer index_;
  std::unique_ptr<pack_file> file_;
  std::u16string path_;
  std::map<std::u16string, std::uint32_t, std::less<>> directory_;
};

}  // namespace vcam::launcher
