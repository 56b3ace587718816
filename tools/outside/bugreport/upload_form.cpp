#include "tools/outside/bugreport/upload_form.h"

namespace vcam::bugreport {

UploadForm upload_form(const UploadArguments& args) {
  UploadForm form;
  form.fields = {{"current_version", args.current_version}, {"latest_version", args.latest_version}};
  return form;
}

bool is_dump_file_name(std::u16string_view name) {
  constexpr std::u16string_view kExtension = u".dmp";
  if (name.size() <= kExtension.size()) return false;
  const std::u16string_view tail = name.substr(name.size() - kExtension.size());
  for (std::size_t i = 0; i < kExtension.size(); ++i) {
    char16_t c = tail[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != kExtension[i]) return false;
  }
  return true;
}

}  // namespace vcam::bugreport
