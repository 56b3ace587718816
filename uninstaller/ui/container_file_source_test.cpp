// The UI runtime reading layouts and skin from embedded containers.
#include "uninstaller/ui/container_file_source.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/testing/test_bytes.h"
#include "dui/core/attribute_names.h"
#include "dui/core/control.h"
#include "dui/core/panel.h"
#include "dui/runtime/ui_profile.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/style/style_button_ex.h"
#include "dui/testing/test_platform.h"
#include "tools/pack/resource_pack_writer.h"

namespace vcam::uninstaller {
namespace {

using vcam::testing::bytes;
using vcam::testing::text_bytes;

struct File {
  std::u16string name;
  std::string text;
  bool compress;
};

std::unique_ptr<ContainerFileSource> Source(const std::vector<File>& files, std::size_t keep = ~std::size_t{0}) {
  tools::resource_pack_writer writer;
  std::string error;
  for (const auto& f : files) EXPECT_TRUE(writer.add(f.name, text_bytes(f.text), f.compress, &error)) << error;
  bytes out;
  EXPECT_TRUE(writer.finish(out, &error)) << error;
  if (keep < out.size()) out.resize(keep);
  ResourceBuffer buffer = new_resource_buffer(out.size());
  if (!out.empty()) std::memcpy(buffer.get(), out.data(), out.size());
  return std::make_unique<ContainerFileSource>(std::move(buffer), out.size());
}

const char kFrame[] = "<Window size=\"200,100\"><Button name=\"ok\" text=\"\xE7\xA1\xAE\xE5\xAE\x9A\"/></Window>";
const char kFonts[] = "<Fonts><Font name=\"Default\" face=\"Arial\" size=\"12\"/></Fonts>";

class EmbeddedUiFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dui::Initialize(u"embedded", std::make_unique<dui::testing::TestPlatform>(state_),
                                dui::UiProfile::Uninstaller()));
  }
  void TearDown() override { dui::Shutdown(); }
  static dui::UiRuntime& Runtime() { return *dui::UiRuntime::Instance(); }

  dui::testing::TestPlatformState state_;
};

TEST_F(EmbeddedUiFiles, LayoutsComeFromTheContainerStoredOrCompressed) {
  Runtime().SetLayoutSource(Source({{u"mainframe.xml", kFrame, true}, {u"plain.xml", "<Grid/>", false}}));
  std::unique_ptr<dui::Control> root = Runtime().LoadLayout(u"mainframe.xml");
  ASSERT_NE(root, nullptr);
  dui::Control* ok = static_cast<dui::Panel&>(*root).first_child();
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->GetText(), u"\u786e\u5b9a") << "read as UTF-8";
  EXPECT_NE(Runtime().LoadLayout(u"plain.xml"), nullptr);
}

TEST_F(EmbeddedUiFiles, AMissingLayoutIsANullRootNotAnAbort) {
  Runtime().SetLayoutSource(Source({{u"mainframe.xml", kFrame, true}}));
  EXPECT_EQ(Runtime().LoadLayout(u"msgbox.xml"), nullptr);
  EXPECT_EQ(Runtime().LoadLayout(u"MAINFRAME.XML"), nullptr) << "names are case-sensitive";
  EXPECT_EQ(state_.layout_pack_failures, 0);
  EXPECT_NE(Runtime().LoadLayout(u"mainframe.xml"), nullptr) << "the source still works after a miss";
}

TEST_F(EmbeddedUiFiles, AnAbsentOrDamagedContainerHoldsNothing) {
  auto absent = std::make_unique<ContainerFileSource>(nullptr, 0);
  EXPECT_EQ(absent->size(), 0u);
  EXPECT_FALSE(absent->Read(u"mainframe.xml"));
  Runtime().SetLayoutSource(std::move(absent));
  EXPECT_EQ(Runtime().LoadLayout(u"mainframe.xml"), nullptr);
  for (std::size_t keep : {0u, 7u, 40u}) {
    auto cut = Source({{u"mainframe.xml", kFrame, true}}, keep);
    EXPECT_FALSE(cut->Read(u"mainframe.xml")) << "cut to " << keep;
  }
}

TEST_F(EmbeddedUiFiles, TheSkinContainerGivesFontsAndStyles) {
  Runtime().SetSkinSource(Source({{u"font.xml", kFonts, false},
                                  {u"btn.xml", "<Skin><Class type=\"ButtonEx\"><Rule downOffset=\"1\"/></Class></Skin>", true}}));
  EXPECT_NE(Runtime().GetFont(u"Default"), nullptr);
  dui::Style* style = Runtime().GetStyle(u"btn.xml");
  ASSERT_NE(style, nullptr);
  EXPECT_NE(dynamic_cast<dui::Style_ButtonEx*>(style), nullptr);
  EXPECT_EQ(style->GetInt(dui::attr::downOffset, 0), 1);
  EXPECT_EQ(Runtime().GetStyle(u"missing.xml"), nullptr);
}

}  // namespace
}  // namespace vcam::uninstaller
