#pragma once
// The process-wide lock around the runtime pointer: a post from another
// thread either reaches a live dispatcher or is refused. A critical section on
// Windows (dui/win/runtime_lock_win.cpp), a mutex elsewhere.

namespace vcam::dui {

class RuntimeLock {
 public:
  RuntimeLock();
  ~RuntimeLock();
  RuntimeLock(const RuntimeLock&) = delete;
  RuntimeLock& operator=(const RuntimeLock&) = delete;
};

}  // namespace vcam::dui
