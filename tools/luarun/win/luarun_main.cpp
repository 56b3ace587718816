// vcam_luarun <file.lua> [args...]: runs a Lua file in a worker-kind script
// state with the uninstaller's system functions, so that they can be tried
// by hand and tested from scripts. What the script prints also goes to
// standard output, one line per call. Exit code 0 when the script ran to its
// end; 1, with the error on standard error and no message box, when it could
// not be read, compiled or run.
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <objbase.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/text_utf.h"
#include "common/win/wide.h"
#include "tools/luarun/script_arguments.h"
#include "uninstaller/script/script_state.h"
#include "uninstaller/script/win/system_functions.h"

namespace {

using namespace vcam;

class ConsoleOutput : public uninstaller::ScriptOutput {
 public:
  void print_line(std::string_view text) override {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
  void report_error(uninstaller::ScriptKind, std::string_view message) override { fail(message); }
  static int fail(std::string_view message) {
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    return 1;
  }
};

// OLE on the thread, as the uninstaller's script threads have it.
class OleForRun {
 public:
  OleForRun() : result_(::OleInitialize(nullptr)) {}
  ~OleForRun() {
    if (SUCCEEDED(result_)) ::OleUninitialize();
  }
  OleForRun(const OleForRun&) = delete;
  OleForRun& operator=(const OleForRun&) = delete;

 private:
  HRESULT result_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // UTF-8 bytes and "\n" line ends pass through untouched.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  if (argc < 2) return ConsoleOutput::fail("usage: vcam_luarun <file.lua> [args...]");

  const std::string script = utf16_to_utf8(u16(argv[1]));
  std::ifstream in(std::filesystem::path(argv[1]), std::ios::binary);
  if (!in) return ConsoleOutput::fail("cannot open " + script);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> arguments;
  for (int i = 2; i < argc; ++i) arguments.push_back(utf16_to_utf8(u16(argv[i])));

  const OleForRun ole;
  ConsoleOutput output;
  uninstaller::ScriptSetup setup;
  setup.kind = uninstaller::ScriptKind::worker;
  setup.groups = {uninstaller::kSystemFunctions};
  setup.numbers = uninstaller::registry_root_numbers();
  setup.output = &output;
  uninstaller::ScriptState state(setup);
  if (!state.ok()) return ConsoleOutput::fail("not enough memory");
  if (const auto error = luarun::set_script_arguments(state.get(), script, arguments))
    return ConsoleOutput::fail(*error);
  if (const auto error = state.run_file_text(text, "@" + script)) return ConsoleOutput::fail(*error);
  return 0;
}
