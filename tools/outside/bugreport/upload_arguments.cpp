#include "tools/outside/bugreport/upload_arguments.h"

#include "common/text_utf.h"

namespace vcam::bugreport {

bool parse_upload_arguments(const std::vector<std::u16string>& args, UploadArguments& out, std::string& error) {
  if (args.size() != 4) {
    error = "expected 4 arguments, got " + std::to_string(args.size());
    return false;
  }
  UploadArguments a;
  a.endpoint = utf16_to_utf8(args[0]);
  if (a.endpoint.rfind("http://", 0) != 0 && a.endpoint.rfind("https://", 0) != 0) {
    error = "the endpoint is not an http:// or https:// URL: " + a.endpoint;
    return false;
  }
  // The folder is joined with "\" and file names; trailing separators
  // would double it.
  a.dump_folder = args[1];
  while (!a.dump_folder.empty() && (a.dump_folder.back() == u'\\' || a.dump_folder.back() == u'/'))
    a.dump_folder.pop_back();
  if (a.dump_folder.empty()) {
    error = "the dump folder is empty";
    return false;
  }
  a.current_version = utf16_to_utf8(args[2]);
  a.latest_version = utf16_to_utf8(args[3]);
  if (a.current_version.empty()) {
    error = "the current version is empty";
    return false;
  }
  out = std::move(a);
  return true;
}

std::string upload_usage() {
  return "usage: zelobugreport \"ENDPOINT URL\" \"DUMP FOLDER\" \"CURRENT VERSION\" \"LATEST VERSION\"\n"
         "Uploads every .dmp file of the folder and deletes the ones the server accepted (status 200).\n";
}

}  // namespace vcam::bugreport
