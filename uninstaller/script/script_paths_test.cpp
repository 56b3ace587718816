#include "uninstaller/script/script_paths.h"

#include <gtest/gtest.h>

namespace vcam::uninstaller {
namespace {

using List = std::vector<std::u16string>;

TEST(DirectoryPrefixes, EachLevelEndsInABackslashAndEmptyPiecesAreDropped) {
  EXPECT_EQ(directory_prefixes(u"C:\\a\\b"), (List{u"C:\\", u"C:\\a\\", u"C:\\a\\b\\"}));
  EXPECT_EQ(directory_prefixes(u"C:/a//b/"), (List{u"C:\\", u"C:\\a\\", u"C:\\a\\b\\"}));
  EXPECT_EQ(directory_prefixes(u"rel\\x"), (List{u"rel\\", u"rel\\x\\"}));
}

TEST(DirectoryPrefixes, PathsFromTheRootStayThere) {
  EXPECT_EQ(directory_prefixes(u"\\\\srv\\share\\a"), (List{u"\\\\srv\\", u"\\\\srv\\share\\", u"\\\\srv\\share\\a\\"}));
  EXPECT_EQ(directory_prefixes(u"\\top\\a"), (List{u"\\top\\", u"\\top\\a\\"}));
  EXPECT_EQ(directory_prefixes(u"//srv/s"), (List{u"\\\\srv\\", u"\\\\srv\\s\\"}));
}

TEST(DirectoryPrefixes, NothingToMakeForEmptyOrSeparatorOnlyPaths) {
  EXPECT_TRUE(directory_prefixes(u"").empty());
  EXPECT_TRUE(directory_prefixes(u"\\").empty());
  EXPECT_TRUE(directory_prefixes(u"\\\\\\").empty());
}

TEST(FolderKey, PrefixesSlashesAndTrailingSeparatorsGo) {
  EXPECT_EQ(folder_key(u"C:\\Windows\\"), u"C:\\Windows");
  EXPECT_EQ(folder_key(u"C:/Windows//"), u"C:\\Windows");
  EXPECT_EQ(folder_key(u"\\\\?\\C:\\Users\\me"), u"C:\\Users\\me");
  EXPECT_EQ(folder_key(u"\\\\?\\UNC\\srv\\share\\"), u"\\\\srv\\share");
  EXPECT_EQ(folder_key(u"C:\\"), u"C:");
}

TEST(VolumeRoot, DrivesAndSharesAreRootsTheirFoldersAreNot) {
  for (const char16_t* root : {u"", u"C:", u"z:", u"\\\\srv", u"\\\\srv\\share"})
    EXPECT_TRUE(is_volume_root_key(folder_key(root)));
  EXPECT_TRUE(is_volume_root_key(folder_key(u"\\\\?\\C:\\")));
  for (const char16_t* folder : {u"C:\\a", u"\\\\srv\\share\\a", u"a", u"C:\\a\\b"})
    EXPECT_FALSE(is_volume_root_key(folder_key(folder)));
}

}  // namespace
}  // namespace vcam::uninstaller
