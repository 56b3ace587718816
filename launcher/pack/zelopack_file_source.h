#pragma once
// The UI toolkit reads the launcher's skin and layout files through this
// adapter over _zelopack_reader.
#include <memory>
#include <string>

#include "dui/load/file_source.h"
#include "launcher/pack/zelopack_reader.h"

namespace vcam::launcher {

class zelopack_file_source : public dui::FileSource {
 public:
  explicit zelopack_file_source(std::unique_ptr<_zelopack_reader> reader) : reader_(std::move(reader)) {}

  // The file's bytes without the reader's zero padding; nothing when the
  // pack lacks the name or the read fails (the reader has logged why).
  std::optional<std::string> Read(std::u16string_view name) override;

 private:
  std::unique_ptr<_zelopack_reader> reader_;
};

// The toolkit's pack opener: a source over the pack at `path`, or null when
// the pack cannot be opened.
std::unique_ptr<dui::FileSource> open_zelopack_source(const std::u16string& path);

}  // namespace vcam::launcher
