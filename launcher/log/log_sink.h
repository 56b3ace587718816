#pragma once
// Where launcher code sends its log lines.
//
// The log is process-wide by nature (one logger module per process, called
// from any thread), so launcher code does not carry a sink around: it calls
// log_location / log_value / log_plain, which write through the one installed
// sink. The launcher's entry installs the logger-module sink
// (win/logger_module_sink.h) before anything logs and keeps it to the end;
// host tests install a capturing sink (testing/log_capture.h) for their scope.
// With no sink installed lines are dropped.
//
// Installations nest: a log_sink_installation replaces the current sink and
// its destructor puts the previous one back, so they must end in reverse
// order. Install before other threads may log and uninstall after they are
// joined; the pointer itself is atomic, the sink object's life is the
// installer's business.
#include <string_view>

#include "launcher/log/log_line.h"

namespace vcam::launcher {

class log_sink {
 public:
  virtual ~log_sink() = default;
  // `text` is NUL-terminated; may be called from several threads at once.
  virtual void write(int level, const char* text) = 0;
};

class log_sink_installation {
 public:
  explicit log_sink_installation(log_sink& sink);
  ~log_sink_installation();
  log_sink_installation(const log_sink_installation&) = delete;
  log_sink_installation& operator=(const log_sink_installation&) = delete;

 private:
  log_sink* previous_;
};

// The installed sink, or null.
log_sink* installed_log_sink();

// A location line at level 300: "source - function, number".
void log_location(std::string_view source, std::string_view function, long long number);
// A value line, at level 600 unless stated.
void log_value(const value_line& line, int level = log_level_info);
// A fixed text, at level 600 unless stated.
void log_plain(std::string_view text, int level = log_level_info);

}  // namespace vcam::launcher
