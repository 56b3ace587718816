#include "uninstaller/bindings/message_subscribers.h"

#include <algorithm>

namespace vcam::uninstaller {

void MessageSubscribers::subscribe(void* subscriber, Handler handler) {
  if (!subscriber || !handler) return;
  for (Entry& e : entries_)
    if (e.subscriber == subscriber) {
      e.handler = handler;
      return;
    }
  entries_.push_back({subscriber, handler});
}

void MessageSubscribers::unsubscribe(const void* subscriber) {
  std::erase_if(entries_, [subscriber](const Entry& e) { return e.subscriber == subscriber; });
}

bool MessageSubscribers::contains(const void* subscriber) const {
  return std::any_of(entries_.begin(), entries_.end(), [subscriber](const Entry& e) { return e.subscriber == subscriber; });
}

std::int32_t MessageSubscribers::send(std::string_view text) {
  const std::vector<Entry> asked = entries_;
  std::int32_t answer = 0;
  for (const Entry& e : asked) {
    if (!contains(e.subscriber)) continue;
    answer = e.handler(e.subscriber, text);
  }
  return answer;
}

}  // namespace vcam::uninstaller
