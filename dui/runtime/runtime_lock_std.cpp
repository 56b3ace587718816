#include <mutex>

#include "dui/runtime/runtime_lock.h"

namespace vcam::dui {

namespace {

std::recursive_mutex& Mutex() {
  static std::recursive_mutex m;
  return m;
}

}  // namespace

RuntimeLock::RuntimeLock() { Mutex().lock(); }
RuntimeLock::~RuntimeLock() { Mutex().unlock(); }

}  // namespace vcam::dui
