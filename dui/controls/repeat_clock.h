#pragma once
// A repeating clock of the UI thread as a control sees it: the platform makes
// it (Windows: a thread timer) and the control's tick runs at each interval
// while it is started. Tests drive one by hand.
#include <cstdint>

namespace vcam::dui {

class RepeatClock {
 public:
  virtual ~RepeatClock() = default;
  // Nothing when running.
  virtual void Start() = 0;
  // Nothing when stopped.
  virtual void Stop() = 0;
  virtual bool running() const = 0;
};

}  // namespace vcam::dui
