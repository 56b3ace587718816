#include "launcher/application/folder_set.h"

namespace vcam::launcher {

std::vector<std::u16string> folder_set(std::u16string_view application_folder) {
  std::vector<std::u16string> folders{std::u16string(application_folder)};
  for (const char16_t* sub : {u"dump", u"logs", u"patch", u"sound", u"effect", u"settings", u"videothumb",
                              u"videoworkthumb"})
    folders.push_back(std::u16string(application_folder).append(sub));
  return folders;
}

}  // namespace vcam::launcher
