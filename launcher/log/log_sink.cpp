#include "launcher/log/log_sink.h"

#include <atomic>
#include <string>

namespace vcam::launcher {

namespace {

std::atomic<log_sink*> current_sink{nullptr};

void write_line(int level, const std::string& line) {
  if (log_sink* sink = current_sink.load(std::memory_order_acquire)) sink->write(level, line.c_str());
}

}  // namespace

log_sink_installation::log_sink_installation(log_sink& sink)
    : previous_(current_sink.exchange(&sink, std::memory_order_acq_rel)) {}

log_sink_installation::~log_sink_installation() { current_sink.store(previous_, std::memory_order_release); }

log_sink* installed_log_sink() { return current_sink.load(std::memory_order_acquire); }

void log_location(std::string_view source, std::string_view function, long long number) {
  write_line(log_level_failure, location_line(source, function, number));
}

void log_value(const value_line& line, int level) { write_line(level, line.str()); }

void log_plain(std::string_view text, int level) { write_line(level, std::string(text)); }

}  // namespace vcam::launcher
