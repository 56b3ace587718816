#pragma once
// A thread timer of the UI thread (no window): OnTimer runs from the message
// loop of the thread that started it. A process-wide map from timer id to
// object lets one shared timer procedure find the object.
#include <windows.h>

#include <cstdint>

namespace vcam::dui {

class Timer {
 public:
  Timer() = default;
  virtual ~Timer();  // stops the timer
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  virtual void OnTimer() = 0;

  // Nothing when running; a failing SetTimer leaves the timer stopped.
  void Start();
  // Nothing when not running.
  void Stop();

  bool running() const { return running_; }
  UINT_PTR id() const { return id_; }
  std::uint32_t interval() const { return interval_; }
  // Takes effect at the next Start.
  void set_interval(std::uint32_t milliseconds) { interval_ = milliseconds; }

  // The running timer with this id, null when none.
  static Timer* Find(UINT_PTR id);

 private:
  static void CALLBACK SharedTimerProc(HWND hwnd, UINT message, UINT_PTR id, DWORD time);

  std::uint32_t interval_ = 100;
  UINT_PTR id_ = 0;
  bool running_ = false;
};

}  // namespace vcam::dui
