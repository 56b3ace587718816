#include "tools/https_server/fixture_answers.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace vcam::testing {

std::string served_file(const https_test_server& server, std::string_view path) {
  std::string file = server.root_folder();
  const char separator = file.empty() ? '/' : file.back();
  std::string_view rest = path;
  while (!rest.empty() && rest.front() == '/') rest.remove_prefix(1);
  for (char c : rest) file += c == '/' ? separator : c;
  return file;
}

void serve_bytes(const https_test_server& server, std::string_view path, std::string_view content) {
  const std::filesystem::path file(served_file(server, path));
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc).write(content.data(),
                                                                 static_cast<std::streamsize>(content.size()));
}

void set_answer(const https_test_server& server, std::string_view path, std::string_view rule) {
  const std::filesystem::path file(served_file(server, path) + ".rule");
  std::filesystem::create_directories(file.parent_path());
  // A new file (the server tells rules apart by file identity and time), so
  // that "first N" counts from this rule on.
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  std::ofstream(file, std::ios::binary | std::ios::trunc) << rule << '\n';
}

void clear_answer(const https_test_server& server, std::string_view path) {
  std::error_code ignored;
  std::filesystem::remove(served_file(server, path) + ".rule", ignored);
}

}  // namespace vcam::testing
