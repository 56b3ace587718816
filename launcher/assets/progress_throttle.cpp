#include "launcher/assets/progress_throttle.h"

namespace vcam::launcher {

bool progress_throttle::accept(std::uint32_t now, std::uint32_t total) {
  if (now < last_) {
    last_ = 0;
    posted_last_ = false;
  }
  const std::uint32_t advance = static_cast<std::uint32_t>((now - last_) * 256u);
  if (advance < total && now != total) return false;
  if (posted_last_ && now == last_) return false;
  last_ = now;
  posted_last_ = true;
  return true;
}

}  // namespace vcam::launcher
