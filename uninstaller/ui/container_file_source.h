#pragma once
// ContainerFileSource: the UI runtime's layouts or skin read from one embedded
// resource container. A name the container lacks, or a damaged entry, reads
// as nothing: the loaders then give a null root or no style, never an abort.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "dui/load/file_source.h"
#include "uninstaller/resources/resource_pack.h"

namespace vcam::uninstaller {

class ContainerFileSource : public dui::FileSource {
 public:
  // Takes the container's bytes (null: an empty source, as for a container
  // the executable lacks).
  ContainerFileSource(ResourceBuffer container, std::size_t size);

  std::optional<std::string> Read(std::u16string_view name) override;
  std::size_t size() const { return pack_.size(); }

 private:
  ResourceBuffer container_;
  ResourcePack pack_;
};

}  // namespace vcam::uninstaller
