#include "uninstaller/script/registry_roots.h"

#include <gtest/gtest.h>

namespace vcam::uninstaller {
namespace {

TEST(RegistryRoots, TheFourConstantsAreTheSignedReadingsOfThePredefinedKeys) {
  EXPECT_EQ(kClassesRoot, -2147483647 - 1);
  EXPECT_EQ(kCurrentUser, -2147483647);
  EXPECT_EQ(kLocalMachine, -2147483646);
  EXPECT_EQ(kUsers, -2147483645);
}

TEST(RegistryRoots, SignedAndUnsignedReadingsOfPredefinedKeysAreAccepted) {
  EXPECT_EQ(predefined_root(-2147483647), kCurrentUser);
  EXPECT_EQ(predefined_root(0x80000001LL), kCurrentUser);
  EXPECT_EQ(predefined_root(0x80000006LL), -2147483642);
  EXPECT_EQ(predefined_root(-2147483648LL), kClassesRoot);
}

TEST(RegistryRoots, OtherNumbersAreRefused) {
  for (long long v : {0LL, 1LL, -1LL, 0x7FFFFFFFLL, 0x80000007LL, -2147483641LL, -2147483649LL,
                      0x180000001LL, -0x180000000LL})
    EXPECT_FALSE(predefined_root(v)) << v;
}

}  // namespace
}  // namespace vcam::uninstaller
