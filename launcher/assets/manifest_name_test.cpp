#include "launcher/assets/manifest_name.h"

#include <gtest/gtest.h>

#include <string>

namespace vcam::launcher {
namespace {

TEST(ManifestName, AcceptsRelativePrintableNamesWithSubfolders) {
  for (const char* name : {"avcodec-58.dll", "codecs\\x264.dll", "codecs/sub/y.bin", "a b.dll", "~x!@#$%^&()_+=.dat",
                           "a.b.c", ".hidden", "con1.dll", "console.dll", "com10.dll", "nul_.txt", "a.\\b.\\c"}) {
    EXPECT_TRUE(is_safe_manifest_name(name)) << name;
  }
}

TEST(ManifestName, RefusesNamesThatLeaveTheFolder) {
  for (const char* name : {"\\windows\\x.dll", "/etc/x", "\\\\server\\share\\x", "\\\\?\\C:\\x", "..\\x.dll",
                           "a\\..\\..\\x.dll", "a/../b", "..", "a..b", "C:x.dll", "c:\\x.dll", "a\\C:\\x",
                           "x.dll:stream"}) {
    EXPECT_FALSE(is_safe_manifest_name(name)) << name;
  }
}

TEST(ManifestName, RefusesCharactersOutsidePrintableAscii) {
  for (const std::string& name : {std::string("a\tb"), std::string("a\nb"), std::string("a\x7f"),
                                 std::string("\xe8\xa7\xa3.dll"), std::string("a\x80"), std::string("a\0b", 3)}) {
    EXPECT_FALSE(is_safe_manifest_name(name)) << name;
  }
}

TEST(ManifestName, RefusesEmptyNamesFoldersAndWhatWindowsCannotName) {
  for (const char* name : {"", "a\\", "a/", "\\", "a*.dll", "a?.dll", "a\"b", "a<b", "a>b", "a|b"}) {
    EXPECT_FALSE(is_safe_manifest_name(name)) << name;
  }
}

TEST(ManifestName, RefusesDeviceNamesInAnyComponentCaseAndExtension) {
  for (const char* name : {"NUL", "nul", "nul.dll", "NUL .txt", "con", "prn.x", "aux", "COM1", "com9.dll", "lpt1",
                           "LPT0.bin", "codecs\\nul", "codecs/CON.dll\\x", "conin$", "CONOUT$.x"}) {
    EXPECT_FALSE(is_safe_manifest_name(name)) << name;
  }
}

}  // namespace
}  // namespace vcam::launcher
