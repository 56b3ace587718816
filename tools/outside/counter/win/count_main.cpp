// zelovcamcount: records one event ("crash" or "uninstall") with its time by
// an HTTP GET to the counter URL: the build's VCAM_COUNT_URL, or the
// environment variable of the same name when set (tests, staging). It waits
// for the answer only until a fixed deadline after its own start, whatever
// libcurl is doing (name resolution included), then ends. Exit code 0 when the
// server answered 200, 1 when it did not, 3 when the deadline passed, 2 for a
// bad command line.
#include <windows.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "common/text_utf.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "launcher/http/http_request.h"
#include "tools/outside/counter/count_request.h"

namespace {

using namespace vcam;

struct Transfer {
  std::string url;
  bool answered = false;
};

DWORD WINAPI run_transfer(void* context) {
  auto* transfer = static_cast<Transfer*>(context);
  auto request = launcher::create_http_request();
  if (!request) return 0;
  launcher::http_download_text_callback answer;
  request->perform(transfer->url, answer);
  transfer->answered = answer.succeeded();
  return 0;
}

std::string counter_base_url() {
  wchar_t value[1024];
  const DWORD n = ::GetEnvironmentVariableW(L"VCAM_COUNT_URL", value, 1024);
  if (n > 0 && n < 1024) return utf16_to_utf8(u16(value, n));
  return VCAM_COUNT_URL;
}

// Milliseconds since this process was created, so the program's own start
// counts against the deadline.
std::uint64_t elapsed_since_start() {
  FILETIME created, exited, kernel, user, now;
  if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  ::GetSystemTimeAsFileTime(&now);
  const auto ticks = [](FILETIME t) { return (std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
  return ticks(now) > ticks(created) ? (ticks(now) - ticks(created)) / 10000 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::u16string> words;
  for (int i = 1; i < argc; ++i) words.emplace_back(u16(argv[i]));
  std::string event, error;
  if (!counter::parse_count_arguments(words, event, error)) {
    std::fprintf(stderr, "zelovcamcount: %s\n", error.c_str());
    return 2;
  }
  // The transfer lives on the heap and is never freed: a thread cut off at
  // the deadline may still point at it when the process ends.
  auto* transfer = new Transfer{counter::count_url(counter_base_url(), event, std::time(nullptr))};
  UniqueHandle thread(::CreateThread(nullptr, 0, run_transfer, transfer, 0, nullptr));
  if (!thread) return 1;
  if (::WaitForSingleObject(thread.get(), counter::remaining_ms(elapsed_since_start())) != WAIT_OBJECT_0) {
    // ExitProcess ends the transfer thread where it stands; returning would
    // run the runtime's clean-up while it still uses libcurl.
    ::ExitProcess(3);
  }
  return transfer->answered ? 0 : 1;
}
