#pragma once
// Where the gallery takes skins and layouts from: a folder or a ".zeloz"
// pack, with the gallery's own files laid over them.
#include <memory>
#include <string>

#include "dui/load/file_source.h"
#include "dui/load/memory_file_source.h"

namespace vcam::gallery {

// A folder, or a pack when the path ends in ".zeloz"; null when neither opens.
std::unique_ptr<dui::FileSource> open_skin_source(const std::u16string& path);

// Reads from `extra` first, then from `base`.
class OverlaySource : public dui::FileSource {
 public:
  OverlaySource(std::unique_ptr<dui::FileSource> base, dui::MemoryFileSource extra)
      : base_(std::move(base)), extra_(std::move(extra)) {}
  std::optional<std::string> Read(std::u16string_view name) override;

 private:
  std::unique_ptr<dui::FileSource> base_;
  dui::MemoryFileSource extra_;
};

}  // namespace vcam::gallery
