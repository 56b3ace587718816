#include "uninstaller/ui/win/embedded_ui_files.h"

#include <cstddef>
#include <memory>

#include "dui/runtime/ui_runtime.h"
#include "uninstaller/ui/container_file_source.h"

namespace vcam::uninstaller {

namespace {

std::unique_ptr<ContainerFileSource> OpenContainer(ResourceProvider& provider, std::u16string_view name, bool* found) {
  std::size_t size = 0;
  ResourceBuffer bytes = provider.load(name, &size);
  *found = *found && bytes != nullptr;
  return std::make_unique<ContainerFileSource>(std::move(bytes), size);
}

}  // namespace

bool UseEmbeddedUiFiles(ResourceProvider& provider) {
  dui::UiRuntime* runtime = dui::UiRuntime::Instance();
  if (!runtime) return false;
  bool found = true;
  runtime->SetSkinSource(OpenContainer(provider, u"style.lz", &found));
  runtime->SetLayoutSource(OpenContainer(provider, u"frame.lz", &found));
  return found;
}

}  // namespace vcam::uninstaller
