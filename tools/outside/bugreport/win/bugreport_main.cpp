// zelobugreport: the crash uploader the launcher starts after writing a dump.
// Sends every dump of the folder to the endpoint, one multipart form each,
// deletes the dumps the server accepted and keeps the others for the next
// run. Exit code 0 when nothing is left, 1 when some dumps were kept, 2 for
// a bad command line. It shows nothing: it runs after a crash, unattended.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/text_utf.h"
#include "common/win/text_cp936.h"
#include "common/win/wide.h"
#include "launcher/http/http_request.h"
#include "tools/outside/bugreport/upload_arguments.h"
#include "tools/outside/bugreport/upload_form.h"
#include "tools/outside/bugreport/win/dump_folder.h"

namespace {

using namespace vcam;

// One line per dump on the standard output, for whoever redirects it.
bool upload(const bugreport::UploadArguments& args, const std::u16string& dump) {
  const std::string name = utf16_to_utf8(dump);
  // libcurl opens the file part by its narrow name, in the system code page.
  const std::string narrow = utf16_to_cp936(dump);
  if (narrow.empty() || cp936_to_utf16(narrow) != dump) {
    std::printf("kept %s: its name has no narrow form\n", name.c_str());
    return false;
  }
  auto request = launcher::create_http_request();
  if (!request) return false;
  const bugreport::UploadForm form = bugreport::upload_form(args);
  for (const auto& [name, value] : form.fields) request->add_form_field(name, value);
  request->add_form_file(form.file_field, narrow);
  launcher::http_download_text_callback answer;
  request->perform(args.endpoint, answer);
  const bool accepted = bugreport::upload_accepted(answer.curl_code(), answer.http_status());
  if (accepted)
    std::printf("uploaded %s\n", name.c_str());
  else
    std::printf("kept %s: transfer code %d, status %d\n", name.c_str(), answer.curl_code(), answer.http_status());
  return accepted;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::u16string> words;
  for (int i = 1; i < argc; ++i) words.emplace_back(u16(argv[i]));
  bugreport::UploadArguments args;
  std::string error;
  if (!bugreport::parse_upload_arguments(words, args, error)) {
    std::fprintf(stderr, "zelobugreport: %s\n%s", error.c_str(), bugreport::upload_usage().c_str());
    return 2;
  }
  int kept = 0;
  for (const std::u16string& dump : bugreport::list_dump_files(args.dump_folder)) {
    // A dump that was accepted but cannot be deleted goes again next time;
    // the server keeps the duplicate, which is better than losing a dump.
    if (upload(args, dump) && ::DeleteFileW(wide(dump))) continue;
    ++kept;
  }
  return kept ? 1 : 0;
}
