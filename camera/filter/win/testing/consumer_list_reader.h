#pragma once
// The product's consumer list as the uninstaller reads it, held open by a
// test so that it outlives the hosts that come and go: a region that vanished
// with its last host would read as empty and prove nothing.
#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

#include "camera/channel/channel_names.h"
#include "camera/channel/consumer_list_text.h"
#include "camera/channel/win/shared_region.h"

namespace vcam::camera::testing {

class ConsumerListReader {
 public:
  bool Open() { return region_.open(); }

  // The text under the list mutex; empty when the mutex stays busy.
  std::optional<std::u16string> Text() {
    if (::WaitForSingleObject(region_.mutex(), kChannelLockTimeoutMs) == WAIT_TIMEOUT) return std::nullopt;
    std::u16string text = UnlockedText();
    ::ReleaseMutex(region_.mutex());
    return text;
  }
  // A snapshot without the mutex: a host's attach waits at most 100 ms for
  // it and then skips its entry, so a watcher must not hold it.
  std::u16string UnlockedText() const {
    char16_t units[kListCapacity];
    std::memcpy(units, region_.view(), sizeof units);
    return std::u16string(ConsumerListText(units).text());
  }

 private:
  SharedRegion region_{kConsumerListNames, kListRegionSize, SharedRegion::MutexLabel::Always};
};

}  // namespace vcam::camera::testing
