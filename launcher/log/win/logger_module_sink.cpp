#include "launcher/log/win/logger_module_sink.h"

#include "tools/outside/logger/logger.h"

namespace vcam::launcher {

void logger_module_sink::write(int level, const char* text) { logger_write_string(level, text); }

}  // namespace vcam::launcher
