#pragma once
// Where the loaders get layout, style and font files from: a resource pack,
// an embedded container, or memory in tests.
#include <optional>
#include <string>
#include <string_view>

namespace vcam::dui {

class FileSource {
 public:
  virtual ~FileSource() = default;
  // The named file's bytes; nothing when the source does not hold it.
  virtual std::optional<std::string> Read(std::u16string_view name) = 0;
};

}  // namespace vcam::dui
