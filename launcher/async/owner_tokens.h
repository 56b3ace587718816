#pragma once
// Owner tokens of the message window: a window's owner registers one before
// it starts a job that will post to it and unregisters it when the window is
// gone, so that late callables are dropped. Values are never reused in a run
// and 0 is never registered. Used on the UI thread only.
#include <cstdint>
#include <set>

namespace vcam::launcher {

class owner_tokens {
 public:
  std::uint32_t register_token();
  void unregister_token(std::uint32_t token) { registered_.erase(token); }
  bool is_registered(std::uint32_t token) const { return registered_.count(token) != 0; }
  void clear() { registered_.clear(); }

 private:
  std::uint32_t counter_ = 0;
  std::set<std::uint32_t> registered_;
};

}  // namespace vcam::launcher
