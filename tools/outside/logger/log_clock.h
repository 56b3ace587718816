#pragma once
// Where the logger takes its time stamps from; tests give a fixed clock.
#include "tools/outside/logger/log_record.h"

namespace vcam::logger {

class LogClock {
 public:
  virtual ~LogClock() = default;
  virtual LocalTime now() const = 0;
};

// The machine's local time.
class SystemLogClock : public LogClock {
 public:
  LocalTime now() const override;
};

}  // namespace vcam::logger
