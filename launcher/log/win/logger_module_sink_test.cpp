// Lines composed by the launcher reach the logger module's file.
#include "launcher/log/win/logger_module_sink.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/win/text_cp936.h"
#include "common/win/wide.h"
#include "tools/outside/logger/logger.h"

namespace vcam::launcher {
namespace {

namespace fs = std::filesystem;

TEST(LoggerModuleSink, LinesReachTheLogFileWithTheirLevels) {
  const fs::path dir = fs::temp_directory_path() / (L"vcam_sink_" + std::to_wstring(::GetCurrentProcessId()));
  fs::create_directories(dir);
  const fs::path path = dir / L"vc_client.log";
  logger_start(600);
  logger_add_file(utf16_to_cp936(u16(path.c_str())).c_str(), 0x100000, 2);
  {
    logger_module_sink sink;
    log_sink_installation installed(sink);
    log_plain("vcam_client started");
    log_location("zelopack_reader", "_zelopack_reader::initialize", 33);
    log_value(value_line("_zelopack_reader, failed to read").text(u"图片.png"));
  }
  log_plain("not installed any more");
  logger_close();

  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> bodies;
  for (std::string line; std::getline(in, line);) bodies.push_back(line.substr(24, line.size() - 25));
  in.close();
  fs::remove_all(dir);
  EXPECT_EQ(bodies, (std::vector<std::string>{
                        "INFO  600 vcam_client started",
                        "ERROR 300 zelopack_reader - _zelopack_reader::initialize, 33",
                        "INFO  600 _zelopack_reader, failed to read,\"图片.png\"",
                    }));
}

}  // namespace
}  // namespace vcam::launcher
