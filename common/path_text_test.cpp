#include "common/path_text.h"

#include <gtest/gtest.h>

namespace vcam {
namespace {

using Pieces = std::vector<std::u16string>;

TEST(FolderOf, ForwardSlashesTurnIntoBackslashesWithTrailingSeparator) {
  EXPECT_EQ(folder_of(u"C:/Program Files/Zelo/vcam_launcher.exe"), u"C:\\Program Files\\Zelo\\");
  EXPECT_EQ(folder_of(u"C:\\a\\b.exe"), u"C:\\a\\");
  EXPECT_EQ(folder_of(u"C:\\b.exe"), u"C:\\");
  EXPECT_EQ(folder_of(u"b.exe"), u"");
}

TEST(FileNameOf, TakesTheLastComponent) {
  EXPECT_EQ(file_name_of(u"C:\\a\\b.exe"), u"b.exe");
  EXPECT_EQ(file_name_of(u"C:/a/b.exe"), u"b.exe");
  EXPECT_EQ(file_name_of(u"b.exe"), u"b.exe");
  EXPECT_EQ(file_name_of(u"C:\\a\\"), u"");
}

TEST(FolderAncestors, DriveRootIsNeverCreated) {
  EXPECT_EQ(folder_ancestors(u"C:\\a\\b\\"), (Pieces{u"C:\\a", u"C:\\a\\b"}));
  EXPECT_EQ(folder_ancestors(u"C:/a/b"), (Pieces{u"C:\\a", u"C:\\a\\b"}));
  EXPECT_EQ(folder_ancestors(u"C:\\"), Pieces{});
}

TEST(FolderAncestors, DoubledSeparatorsAddNoEmptyPieces) {
  EXPECT_EQ(folder_ancestors(u"C:\\a\\\\b\\\\"), (Pieces{u"C:\\a", u"C:\\a\\\\b"}));
}

TEST(FolderAncestors, UncShareIsOnePiece) {
  EXPECT_EQ(folder_ancestors(u"\\\\server\\share\\x\\y"),
            (Pieces{u"\\\\server\\share\\x", u"\\\\server\\share\\x\\y"}));
  EXPECT_EQ(folder_ancestors(u"\\\\server\\share"), Pieces{});
}

TEST(FolderAncestors, RelativeAndRootedPaths) {
  EXPECT_EQ(folder_ancestors(u"a\\b"), (Pieces{u"a", u"a\\b"}));
  EXPECT_EQ(folder_ancestors(u"\\a\\b"), (Pieces{u"\\a", u"\\a\\b"}));
  EXPECT_EQ(folder_ancestors(u""), Pieces{});
}

}  // namespace
}  // namespace vcam
