#pragma once
// The scroll bar's auto-repeat: a thread timer of 150 ms that steps the bar
// while an arrow or the track is held.
#include "dui/controls/repeat_clock.h"
#include "dui/win/timer.h"

namespace vcam::dui {

class ScrollBar;

class ScrollTimer : public Timer, public RepeatClock {
 public:
  explicit ScrollTimer(ScrollBar& bar);

  void OnTimer() override;
  void Start() override { Timer::Start(); }
  void Stop() override { Timer::Stop(); }
  bool running() const override { return Timer::running(); }

 private:
  ScrollBar& bar_;
};

}  // namespace vcam::dui
