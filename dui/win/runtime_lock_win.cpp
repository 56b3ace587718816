#include <windows.h>

#include "dui/runtime/runtime_lock.h"

namespace vcam::dui {

namespace {

// Created on first use (thread-safe static initialisation) and kept for the
// life of the process: a post may race with the very first Initialize.
class CriticalSection {
 public:
  CriticalSection() { ::InitializeCriticalSection(&cs_); }
  ~CriticalSection() { ::DeleteCriticalSection(&cs_); }
  CRITICAL_SECTION* get() { return &cs_; }

 private:
  CRITICAL_SECTION cs_;
};

CRITICAL_SECTION* Section() {
  static CriticalSection section;
  return section.get();
}

}  // namespace

RuntimeLock::RuntimeLock() { ::EnterCriticalSection(Section()); }
RuntimeLock::~RuntimeLock() { ::LeaveCriticalSection(Section()); }

}  // namespace vcam::dui
