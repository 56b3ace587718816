#include "launcher/application/win/data_folder.h"

#include "common/win/folders.h"
#include "launcher/application/folder_set.h"

namespace vcam::launcher {

const std::u16string& data_folder() {
  // Made once on the UI thread during start-up; a static is thread-safe anyway.
  static const std::u16string folder = [] {
    std::u16string app = application_folder();
    for (const std::u16string& f : folder_set(app)) create_folder_path(f);
    return app;
  }();
  return folder;
}

}  // namespace vcam::launcher
