// The provider over this test program's own "_ZELORESC" resources, and the
// containers in them read through ResourcePack.
#include "uninstaller/resources/win/resource_provider.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/win/folders.h"
#include "common/win/wide.h"

namespace vcam::uninstaller {
namespace {

std::string load_text(ResourceProvider& provider, std::u16string_view name, std::size_t* size = nullptr) {
  std::size_t n = 0;
  ResourceBuffer b = provider.load(name, &n);
  if (!b) return "<null>";
  for (int i = 0; i < 4; ++i) EXPECT_EQ(b[n + i], 0) << "byte " << i << " after the resource";
  if (size) *size = n;
  return std::string(reinterpret_cast<const char*>(b.get()), n);
}

TEST(ResourceProvider, ScriptsComeWithFourZeroBytesNotCountedInTheSize) {
  ResourceProvider provider;
  std::size_t size = 0;
  const std::string ui = load_text(provider, u"UI.lua", &size);
  EXPECT_EQ(ui, "-- window script used by the resource tests\nlocal title = \"卸载\"\nreturn title\n");
  EXPECT_EQ(size, ui.size());
  ResourceBuffer lg = provider.load(u"LG.lua", nullptr);
  ASSERT_TRUE(lg);
  EXPECT_STREQ(reinterpret_cast<const char*>(lg.get()), "-- procedure script used by the resource tests\nreturn 0\n");
}

TEST(ResourceProvider, NamesMapToTheFourIds) {
  EXPECT_EQ(ResourceProvider::id_of(u"frame.lz"), 117);
  EXPECT_EQ(ResourceProvider::id_of(u"LG.lua"), 118);
  EXPECT_EQ(ResourceProvider::id_of(u"style.lz"), 119);
  EXPECT_EQ(ResourceProvider::id_of(u"UI.lua"), 120);
  EXPECT_EQ(ResourceProvider::id_of(u"ui.lua"), 0);
  EXPECT_EQ(ResourceProvider::id_of(u"other"), 0);
}

TEST(ResourceProvider, UnknownNamesAndMissingResourcesGiveNull) {
  ResourceProvider provider;
  std::size_t size = 77;
  EXPECT_EQ(provider.load(u"other.lua", &size), nullptr);
  EXPECT_EQ(size, 77u);
  // kernel32 carries no "_ZELORESC" resources.
  ResourceProvider elsewhere(::GetModuleHandleW(L"kernel32.dll"));
  EXPECT_EQ(elsewhere.load(u"UI.lua", nullptr), nullptr);
}

TEST(ResourceProvider, ContainersExtractTheirFiles) {
  ResourceProvider provider;
  std::size_t size = 0;
  ResourceBuffer frame = provider.load(u"frame.lz", &size);
  ASSERT_TRUE(frame);
  const ResourcePack pack = ResourcePack::build(frame.get(), size);
  EXPECT_EQ(pack.size(), 2u);
  std::size_t n = 0;
  ResourceBuffer layout = pack.extract(u"mainframe.xml", &n);
  ASSERT_TRUE(layout);
  std::ifstream in(std::filesystem::path(application_folder() + u"resource_testdata\\frame\\mainframe.xml"),
                   std::ios::binary);
  std::ostringstream expected;
  expected << in.rdbuf();
  ASSERT_FALSE(expected.str().empty());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(layout.get()), n), expected.str());

  ResourceBuffer style = provider.load(u"style.lz", &size);
  ASSERT_TRUE(style);
  const ResourcePack skins = ResourcePack::build(style.get(), size);
  EXPECT_TRUE(skins.contains(u"font.xml"));
  EXPECT_TRUE(skins.contains(u"skin_b4ae00"));
  EXPECT_FALSE(skins.contains(u"Font.xml"));
}

TEST(ResourceProvider, TheProcessWidePointerFollowsTheProvider) {
  EXPECT_EQ(ResourceProvider::instance(), nullptr);
  {
    ResourceProvider provider;
    EXPECT_EQ(ResourceProvider::instance(), &provider);
    ResourceBuffer b = provider.load(u"UI.lua", nullptr);
    provider.free(b.release());
  }
  EXPECT_EQ(ResourceProvider::instance(), nullptr);
}

}  // namespace
}  // namespace vcam::uninstaller
