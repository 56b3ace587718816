// Second process of the channel tests. Exit code 0 on success; 2 and up tell
// which step failed.
//   channel_peer list <suffix> <ready-event> <go-event>
//       records its own path in the consumer list named with <suffix>, signals
//       <ready-event>, waits for <go-event>, removes its path: one load and
//       unload of the filter module.
//   channel_peer hold <mutex> <held-event> <release-event>
//       takes the named mutex, signals, holds it until <release-event>.
//   channel_peer abandon <mutex> <held-event>
//       takes the named mutex, signals, and exits still owning it.
#include <windows.h>

#include <string>

#include "camera/channel/channel_names.h"
#include "camera/channel/win/consumer_list.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace {

constexpr DWORD kPatienceMs = 30000;

vcam::UniqueHandle open_event(const wchar_t* name) {
  return vcam::UniqueHandle(::OpenEventW(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, name));
}

int list(const std::wstring& suffix, const wchar_t* ready_name, const wchar_t* go_name) {
  const std::u16string s(vcam::u16(suffix.c_str()));
  vcam::camera::ConsumerList list({vcam::camera::kConsumerListNames.mutex + s,
                                   vcam::camera::kConsumerListNames.region + s});
  vcam::UniqueHandle ready = open_event(ready_name), go = open_event(go_name);
  if (!ready || !go) return 2;
  const std::u16string path = vcam::camera::host_executable_path();
  if (path.empty()) return 3;
  list.addSelf(path);
  ::SetEvent(ready.get());
  if (::WaitForSingleObject(go.get(), kPatienceMs) != WAIT_OBJECT_0) return 4;
  list.removeSelf(path);
  list.close();
  return 0;
}

int hold(const wchar_t* mutex_name, const wchar_t* held_name, const wchar_t* release_name, bool abandon) {
  vcam::UniqueHandle mutex(::CreateMutexW(nullptr, FALSE, mutex_name));
  vcam::UniqueHandle held = open_event(held_name);
  vcam::UniqueHandle release = release_name ? open_event(release_name) : vcam::UniqueHandle();
  if (!mutex || !held || (release_name && !release)) return 2;
  const DWORD r = ::WaitForSingleObject(mutex.get(), kPatienceMs);
  if (r != WAIT_OBJECT_0 && r != WAIT_ABANDONED) return 3;
  ::SetEvent(held.get());
  if (abandon) return 0;
  if (::WaitForSingleObject(release.get(), kPatienceMs) != WAIT_OBJECT_0) return 4;
  ::ReleaseMutex(mutex.get());
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"list" && argc == 5) return list(argv[2], argv[3], argv[4]);
  if (mode == L"hold" && argc == 5) return hold(argv[2], argv[3], argv[4], false);
  if (mode == L"abandon" && argc == 4) return hold(argv[2], argv[3], nullptr, true);
  return 1;
}
