#include "camera/filter/win/module_lifetime.h"

#include <utility>

namespace vcam::camera {

void ModuleLifetime::attach(std::u16string host_path) {
  host_path_ = std::move(host_path);
  if (!host_path_.empty()) consumers_.addSelf(host_path_);
}

void ModuleLifetime::detach() {
  if (!host_path_.empty()) consumers_.removeSelf(host_path_);
}

}  // namespace vcam::camera
