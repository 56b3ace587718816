#pragma once
// Polls a condition until it holds or the time is up: for tests that wait on
// another process or thread (a file written, a window gone) without a message
// loop of their own.
#include <chrono>
#include <thread>

namespace vcam::testing {

template <typename Done>
bool wait_for(Done done, unsigned timeout_ms = 40000, unsigned poll_ms = 20) {
  const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() > limit) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(poll_ms));
  }
  return true;
}

}  // namespace vcam::testing
