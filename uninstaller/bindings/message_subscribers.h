#pragma once
// The windows subscribed to the application message that carries worker
// notifications, in subscription order. Sending asks each in turn; the last
// answer counts, 0 when nobody is subscribed. UI thread only.
#include <cstdint>
#include <string_view>
#include <vector>

namespace vcam::uninstaller {

class MessageSubscribers {
 public:
  using Handler = std::int32_t (*)(void* subscriber, std::string_view text);

  // A subscriber already present keeps its place and takes the new handler.
  void subscribe(void* subscriber, Handler handler);
  void unsubscribe(const void* subscriber);
  bool contains(const void* subscriber) const;
  std::size_t size() const { return entries_.size(); }

  // A handler may subscribe or unsubscribe others (or itself): those who
  // left before their turn are not asked, those who came are asked next time.
  std::int32_t send(std::string_view text);

 private:
  struct Entry {
    void* subscriber;
    Handler handler;
  };
  std::vector<Entry> entries_;
};

}  // namespace vcam::uninstaller
