#include "uninstaller/ui/container_file_source.h"

#include <utility>

namespace vcam::uninstaller {

ContainerFileSource::ContainerFileSource(ResourceBuffer container, std::size_t size)
    : container_(std::move(container)),
      pack_(container_ ? ResourcePack::build(container_.get(), size) : ResourcePack()) {}

std::optional<std::string> ContainerFileSource::Read(std::u16string_view name) {
  std::size_t size = 0;
  const ResourceBuffer file = pack_.extract(name, &size);
  if (!file) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(file.get()), size);
}

}  // namespace vcam::uninstaller
