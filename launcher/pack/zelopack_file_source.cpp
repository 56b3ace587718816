#include "launcher/pack/zelopack_file_source.h"

namespace vcam::launcher {

std::optional<std::string> zelopack_file_source::Read(std::u16string_view name) {
  std::uint32_t size = 0;
  pack_buffer bytes = reader_->read(name, &size);
  if (!bytes) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(bytes.get()), size);
}

std::unique_ptr<dui::FileSource> open_zelopack_source(const std::u16string& path) {
  auto reader = _zelopack_reader::open(path);
  if (!reader) return nullptr;
  return std::make_unique<zelopack_file_source>(std::move(reader));
}

}  // namespace vcam::launcher
