#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/scrambled_name.h"
#include "tools/pack/resource_pack_writer.h"
#include "tools/pack/zelopack_writer.h"
#include "uninstaller/resources/resource_pack.h"

namespace vcam::tools {
namespace {

using bytes = std::vector<unsigned char>;

bytes text(std::string_view s) { return bytes(s.begin(), s.end()); }

bytes zelopack(std::uint32_t seed_offset) {
  zelopack_writer w;
  w.add(u"font.xml", text("<Fonts/>"), zelopack_name_seed(u"font.xml") + seed_offset, nullptr);
  w.add(u"skin_b4ae00", text("rules"), zelopack_name_seed(u"skin_b4ae00") + seed_offset, nullptr);
  bytes out;
  EXPECT_TRUE(w.finish(out, nullptr));
  return out;
}

TEST(ZelopackWriter, TheSameInputsGiveTheSameBytes) {
  EXPECT_EQ(zelopack(0), zelopack(0));
  EXPECT_NE(zelopack(0), zelopack(1)) << "the seed changes the scrambled data";
}

TEST(ZelopackWriter, NameSeedsAreFnv1aOfTheUtf16Bytes) {
  EXPECT_EQ(zelopack_name_seed(u""), 2166136261u);
  // FNV-1a of the bytes 61 00.
  EXPECT_EQ(zelopack_name_seed(u"a"), ((2166136261u ^ 0x61u) * 16777619u ^ 0u) * 16777619u);
  EXPECT_NE(zelopack_name_seed(u"font.xml"), zelopack_name_seed(u"Font.xml"));
}

TEST(ZelopackWriter, RefusesNamesTheFormatCannotHold) {
  zelopack_writer w;
  std::string error;
  EXPECT_FALSE(w.add(u"", {}, 1, &error));
  EXPECT_FALSE(w.add(std::u16string(u"a\0b", 3), {}, 1, &error));
  EXPECT_FALSE(w.add(std::u16string(128, u'x'), {}, 1, &error));
  EXPECT_NE(error.find("127"), std::string::npos);
  EXPECT_TRUE(w.add(std::u16string(127, u'x'), {}, 1, &error));
  EXPECT_EQ(w.size(), 1u);
}

TEST(ZelopackWriter, FilesStartAtFourByteBoundaries) {
  zelopack_writer w;
  w.add(u"a", text("12345"), 1, nullptr);
  w.add(u"b", text("6"), 2, nullptr);
  w.add(u"c", text("78"), 3, nullptr);
  bytes pack;
  ASSERT_TRUE(w.finish(pack, nullptr));
  const std::uint32_t index = load_le32(&pack[pack.size() - 4]) ^ 0x5B3E91C7u;
  EXPECT_EQ(index, 16u);
  auto word = [&](std::size_t at) { return load_le32(&pack[at]); };
  EXPECT_EQ(word(index + 8), 0u);
  EXPECT_EQ(word(index + 20 + 8), 8u);
  EXPECT_EQ(word(index + 40 + 8), 12u);
}

bytes container(bool compress) {
  resource_pack_writer w;
  std::string layout;
  for (int i = 0; i < 200; ++i) layout += "<Label text=\"line " + std::to_string(i) + "\"/>\n";
  w.add(u"mainframe.xml", text(layout), compress, nullptr);
  w.add(u"UI.lua", text("return 1"), compress, nullptr);
  bytes out;
  EXPECT_TRUE(w.finish(out, nullptr));
  return out;
}

TEST(ResourcePackWriter, TheSameInputsGiveTheSameBytes) {
  EXPECT_EQ(container(true), container(true));
  EXPECT_EQ(container(false), container(false));
  EXPECT_LT(container(true).size(), container(false).size());
}

TEST(ResourcePackWriter, RefusesEmptyAndNulNames) {
  resource_pack_writer w;
  std::string error;
  EXPECT_FALSE(w.add(u"", {}, true, &error));
  EXPECT_FALSE(w.add(std::u16string(u"x\0", 2), {}, true, &error));
  EXPECT_EQ(w.size(), 0u);
}

TEST(ResourcePackWriter, AnEmptyContainerHasADirectoryAndATrailer) {
  bytes out;
  ASSERT_TRUE(resource_pack_writer().finish(out, nullptr));
  EXPECT_EQ(out, (bytes{0, 0, 0, 0, 0xC7, 0x91, 0x3E, 0x5B}));
  EXPECT_EQ(uninstaller::ResourcePack::build(out.data(), out.size()).size(), 0u);
}

}  // namespace
}  // namespace vcam::tools
