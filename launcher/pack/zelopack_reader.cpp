#include "launcher/pack/zelopack_reader.h"

#include <cstdlib>
#include <cstring>

#include "launcher/log/log_sink.h"
#include "launcher/pack/zelopack_format.h"
#include "launcher/pack/zelopack_keystream.h"

namespace vcam::launcher {

namespace {

constexpr const char* kSource = "zelopack_reader";
constexpr const char* kInitialize = "_zelopack_reader::initialize";
constexpr const char* kRead = "_zelopack_reader::read";

using namespace zelopack;

}  // namespace

std::unique_ptr<_zelopack_reader> _zelopack_reader::open(const std::u16string& path) {
  return open(path, open_pack_file(path));
}

std::unique_ptr<_zelopack_reader> _zelopack_reader::open(const std::u16string& path,
                                                         std::unique_ptr<pack_file> file) {
  auto reader = std::make_unique<_zelopack_reader>();
  if (!reader->initialize(path, std::move(file))) return nullptr;
  reader->dump();
  return reader;
}

bool _zelopack_reader::initialize(const std::u16string& path) { return initialize(path, open_pack_file(path)); }

bool _zelopack_reader::fail_initialize(int number) {
  log_location(kSource, kInitialize, number);
  directory_.clear();
  index_.reset();
  file_.reset();
  return false;
}

bool _zelopack_reader::initialize(const std::u16string& path, std::unique_ptr<pack_file> file) {
  directory_.clear();
  index_.reset();
  path_ = path;
  file_ = std::move(file);
  if (!file_) return fail_initialize(33);

  std::uint32_t size = 0;
  if (!file_->size(size) || size < min_file_size) return fail_initialize(36);

  unsigned char trailer[4];
  if (!file_->read_at(size - 4, trailer, 4)) return fail_initialize(39);

  const std::uint32_t index_offset = load_le32(trailer) ^ index_key;
  if (std::uint64_t{index_offset} + min_index_tail > size || index_offset % 4 != 0) return fail_initialize(42);

  const std::uint32_t index_length = size - index_offset - 4;
  index_.reset(static_cast<unsigned char*>(std::malloc(index_length)));
  if (!index_ || !file_->read_at(index_offset, index_.get(), index_length)) return fail_initialize(45);

  const unsigned char* index = index_.get();
  std::uint32_t position = 0;
  // A length word is always inside: the index holds at least 20 bytes, and
  // every accepted entry leaves room for the next word (62).
  for (;;) {
    const std::uint32_t length = load_le32(index + position);
    if (length == 0) return true;
    if (length % 4 != 0) return fail_initialize(54);
    if (length < min_entry_length || length > 275) return fail_initialize(56);
    // The header's fields are read only once the header is inside the index;
    // an entry cut short there fails as an entry that does not fit.
    if (std::uint64_t{position} + entry_header_size > index_length) return fail_initialize(62);
    const entry_info e = entry_at(position);
    if (e.offset % 4 != 0) return fail_initialize(58);
    if (std::uint64_t{e.offset} + e.size > index_offset) return fail_initialize(60);
    if (std::uint64_t{position} + length + 4 > index_length) return fail_initialize(62);

    const unsigned char* field = index + position + entry_header_size;
    const std::uint32_t field_length = length - entry_header_size;
    if (scrambled_field_last_byte(field, field_length) != 0) return fail_initialize(71);

    std::u16string name = read_scrambled_name(field, field_length);
    directory_.insert_or_assign(std::move(name), position);
    position += length;
  }
}

_zelopack_reader::entry_info _zelopack_reader::entry_at(std::uint32_t position) const {
  const unsigned char* p = index_.get() + position;
  return {load_le32(p + 4), load_le32(p + 8), load_le32(p + 12)};
}

pack_buffer _zelopack_reader::read(std::u16string_view name, std::uint32_t* size) {
  const auto found = directory_.find(name);
  if (found == directory_.end() || !file_) {
    log_value(value_line("_zelopack_reader, failed to read").text(name));
    return nullptr;
  }
  const entry_info e = entry_at(found->second);
  // 4 to 7 bytes beyond the file: a whole number of keystream words and room
  // for a terminating zero.
  const std::uint64_t buffer_size = (std::uint64_t{e.size} + 4 + 3) / 4 * 4;
  if (buffer_size > SIZE_MAX) {
    log_location(kSource, kRead, 100);
    return nullptr;
  }
  pack_buffer buffer(static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(buffer_size))));
  if (!buffer) {
    log_location(kSource, kRead, 100);
    return nullptr;
  }
  if (!file_->read_at(e.offset, buffer.get(), e.size)) {
    log_location(kSource, kRead, 96);
    return nullptr;
  }
  // The padding words are descrambled too (their bytes are then zeroed), so
  // the keystream position of every data word matches the writer's.
  std::memset(buffer.get() + e.size, 0, static_cast<std::size_t>(buffer_size - e.size));
  apply_keystream(buffer.get(), static_cast<std::size_t>(buffer_size / 4), e.seed);
  std::memset(buffer.get() + e.size, 0, static_cast<std::size_t>(buffer_size - e.size));
  if (size) *size = e.size;
  return buffer;
}

void _zelopack_reader::for_each(const std::function<void(const std::u16string&, const entry_info&)>& visit) const {
  for (const auto& [name, position] : directory_) visit(name, entry_at(position));
}

void _zelopack_reader::dump() const {
  const std::string rule(56, '/');
  log_plain(rule);
  log_value(value_line("_zelopack_reader dump start").text(path_));
  for (const auto& [name, position] : directory_) {
    const entry_info e = entry_at(position);
    log_value(value_line().text(name).number(e.size).number(e.offset).number(e.seed));
  }
  log_value(value_line("_zelopack_reader dump finish").text(path_).number(directory_.size()));
  log_plain(rule);
}

}  // namespace vcam::launcher
