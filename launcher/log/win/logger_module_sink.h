#pragma once
// The launcher's sink: every line goes to the logger module's
// logger_write_string. The module accepts concurrent calls, so neither does
// this sink lock.
#include "launcher/log/log_sink.h"

namespace vcam::launcher {

class logger_module_sink : public log_sink {
 public:
  void write(int level, const char* text) override;
};

}  // namespace vcam::launcher
