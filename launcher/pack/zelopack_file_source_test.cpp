// Skins and layouts reach the UI toolkit from real ".zeloz" packs on disk.
#include "launcher/pack/zelopack_file_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/testing/scratch_folder.h"
#include "common/testing/test_bytes.h"
#include "dui/core/panel.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/testing/test_platform.h"
#include "launcher/log/testing/log_capture.h"
#include "tools/pack/zelopack_writer.h"

namespace vcam::launcher {
namespace {

using vcam::testing::bytes;
using vcam::testing::text_bytes;

class ZelopackFileSource : public ::testing::Test {
 protected:
  std::u16string write_pack(const std::string& file, const std::vector<std::pair<std::u16string, std::string>>& files) {
    tools::zelopack_writer writer;
    std::string error;
    for (const auto& [name, data] : files)
      EXPECT_TRUE(writer.add(name, text_bytes(data), tools::zelopack_name_seed(name), &error)) << error;
    bytes pack;
    EXPECT_TRUE(writer.finish(pack, &error)) << error;
    const std::filesystem::path path = dir_ / file;
    vcam::testing::write_bytes(path, pack);
    return path.u16string();
  }

  bool logged(const std::string& line) const {
    const auto texts = capture_.texts();
    return std::find(texts.begin(), texts.end(), line) != texts.end();
  }

  vcam::testing::ScratchFolder dir_{"vcam_pack_source_"};
  log_capture capture_;
};

TEST_F(ZelopackFileSource, ReadsExactBytesWithoutThePadding) {
  auto source = open_zelopack_source(write_pack("a.zeloz", {{u"font.xml", "<Fonts/>"}, {u"five", "12345"}}));
  ASSERT_TRUE(source);
  EXPECT_EQ(source->Read(u"font.xml"), "<Fonts/>");
  EXPECT_EQ(source->Read(u"five"), "12345");
  EXPECT_EQ(source->Read(u"Font.xml"), std::nullopt) << "names are case-sensitive";
  EXPECT_TRUE(logged("_zelopack_reader, failed to read,\"Font.xml\""));
}

TEST_F(ZelopackFileSource, AMissingOrDamagedPackGivesNoSource) {
  EXPECT_EQ(open_zelopack_source((dir_ / "absent.zeloz").u16string()), nullptr);
  std::ofstream(dir_ / "short.zeloz") << "too short";
  EXPECT_EQ(open_zelopack_source((dir_ / "short.zeloz").u16string()), nullptr);
  EXPECT_TRUE(logged("zelopack_reader - _zelopack_reader::initialize, 33"));
  EXPECT_TRUE(logged("zelopack_reader - _zelopack_reader::initialize, 36"));
}

TEST_F(ZelopackFileSource, TheToolkitBuildsLayoutsAndFontsFromPacks) {
  dui::testing::TestPlatformState state;
  ASSERT_TRUE(dui::Initialize(u"vcam_test", std::make_unique<dui::testing::TestPlatform>(state)));
  auto* runtime = dui::UiRuntime::Instance();
  runtime->SetPackOpener(open_zelopack_source);

  const std::u16string style = write_pack(
      "style_pro.zeloz", {{u"font.xml", "\xEF\xBB\xBF<Fonts><Font name=\"Default\" size=\"12\"/></Fonts>"},
                          {u"button.xml", "<S><Style c=\"Button\"><A/></Style></S>"}});
  const std::u16string frame = write_pack(
      "frame_pro.zeloz",
      {{u"progresswindow.xml", "<Window><Grid id=\"1000\"><Label text=\"正在为您更新解码器，请稍候...\"/></Grid></Window>"}});
  EXPECT_TRUE(runtime->LoadSkinPack(style));
  EXPECT_NE(runtime->GetFont(u"Default"), nullptr);
  EXPECT_NE(runtime->GetStyle(u"button.xml"), nullptr);
  runtime->OpenLayoutPack(frame);
  EXPECT_EQ(state.layout_pack_failures, 0);

  auto root = runtime->LoadLayout(u"progresswindow.xml");
  ASSERT_TRUE(root);
  auto* grid = static_cast<dui::Panel*>(static_cast<dui::Panel*>(root.get())->first_child());
  ASSERT_NE(grid, nullptr);
  ASSERT_NE(grid->first_child(), nullptr);
  EXPECT_EQ(grid->first_child()->GetText(), u"正在为您更新解码器，请稍候...");
  EXPECT_EQ(runtime->LoadLayout(u"mainframe.xml"), nullptr);
  root.reset();
  dui::Shutdown();
}

}  // namespace
}  // namespace vcam::launcher
