#pragma once
// Only the first unhandled exception of the process is reported. Threads
// that fault together race for the gate; the exchange lets exactly one in,
// so they cannot write two interleaved dumps into one file.
#include <atomic>

namespace vcam::launcher {

class report_gate {
 public:
  // True for the first caller only.
  bool enter() { return !entered_.exchange(true, std::memory_order_acq_rel); }
  bool entered() const { return entered_.load(std::memory_order_acquire); }

 private:
  std::atomic<bool> entered_{false};
};

}  // namespace vcam::launcher
