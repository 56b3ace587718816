#include "dui/win/timer.h"

#include <map>

namespace vcam::dui {

namespace {

std::map<UINT_PTR, Timer*>& Timers() {
  static std::map<UINT_PTR, Timer*> timers;
  return timers;
}

}  // namespace

Timer::~Timer() { Stop(); }

void Timer::Start() {
  if (running_) return;
  const UINT_PTR id = ::SetTimer(nullptr, id_, interval_, &SharedTimerProc);
  if (!id) return;
  id_ = id;
  running_ = true;
  Timers()[id_] = this;
}

void Timer::Stop() {
  if (!running_) return;
  running_ = false;
  ::KillTimer(nullptr, id_);
  Timers().erase(id_);
}

Timer* Timer::Find(UINT_PTR id) {
  const auto it = Timers().find(id);
  return it == Timers().end() ? nullptr : it->second;
}

void CALLBACK Timer::SharedTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  Timer* timer = Find(id);
  if (timer && timer->running_) timer->OnTimer();
}

}  // namespace vcam::dui
