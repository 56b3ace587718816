#include "launcher/assets/manifest_file.h"

#include <gtest/gtest.h>

#include "common/testing/scratch_folder.h"
#include "common/testing/test_bytes.h"
#include "launcher/log/testing/log_capture.h"

namespace vcam::launcher {
namespace {

using testing::ScratchFolder;
using testing::text_bytes;
using testing::write_bytes;

}  // namespace

// Readable in failure messages.
void PrintTo(const manifest_entry& e, std::ostream* out) {
  *out << "{" << e.name << ", " << e.file << ", " << std::string(e.md5.begin(), e.md5.end()) << ", " << e.size << "}";
}

namespace {

constexpr char kAbcMd5[] = "900150983cd24fb0d6963f7d28e17f72";

std::string element(const std::string& name, const std::string& file, const std::string& md5,
                    const std::string& size = "3") {
  return "{\"name\": \"" + name + "\", \"file\": \"" + file + "\", \"md5\": \"" + md5 + "\", \"size\": " + size + "}";
}

class LoadManifest : public ::testing::Test {
 protected:
  LoadManifest() {
    folder = dir.path().u16string() + u"/";
    std::filesystem::create_directories(dir / "codecs");
    write_bytes(dir / "same.dll", text_bytes("abc"));
    write_bytes(dir / "codecs" / "sub.dll", text_bytes("abc"));
    write_bytes(dir / "other.dll", text_bytes("abd"));
    write_bytes(dir / "empty.dll", {});
  }

  bool load_text(const std::string& text) {
    write_bytes(dir / "manifest", text_bytes(text));
    return load_manifest_config_from_file((dir / "manifest").u16string(), folder, entries);
  }

  std::vector<std::string> listed_names() const {
    std::vector<std::string> names;
    for (const auto& e : entries) names.push_back(e.name);
    return names;
  }

  std::string line(int number) const {
    return "assets - load_manifest_config_from_file, " + std::to_string(number);
  }

  ScratchFolder dir{"manifest_"};
  std::u16string folder;
  log_capture log;
  std::vector<manifest_entry> entries{{"sentinel", "s", u"s", 1}};
};

TEST_F(LoadManifest, ListsMissingAndDifferingFilesInManifestOrder) {
  ASSERT_TRUE(load_text("[" + element("other.dll", "r/other.bin", kAbcMd5, "100") + "," +
                        element("same.dll", "same", kAbcMd5) + "," + element("codecs/sub.dll", "sub", kAbcMd5) + "," +
                        element("missing.dll", "m", kAbcMd5, "4294967295") + "]"));
  EXPECT_EQ(entries, (std::vector<manifest_entry>{{"other.dll", "r/other.bin", u"900150983cd24fb0d6963f7d28e17f72", 100},
                                                  {"missing.dll", "m", u"900150983cd24fb0d6963f7d28e17f72",
                                                   4294967295u}}));
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(LoadManifest, AnEmptyListAndMatchingFilesGiveNothingToDo) {
  ASSERT_TRUE(load_text("[]"));
  EXPECT_TRUE(entries.empty());
  entries.push_back({});
  ASSERT_TRUE(load_text("\xEF\xBB\xBF[" + element("same.dll", "f", kAbcMd5) + "]"));
  EXPECT_TRUE(entries.empty());
}

TEST_F(LoadManifest, AnUpperCaseDigestNeverMatches) {
  ASSERT_TRUE(load_text("[" + element("same.dll", "f", "900150983CD24FB0D6963F7D28E17F72") + "]"));
  EXPECT_EQ(listed_names(), std::vector<std::string>{"same.dll"});
}

TEST_F(LoadManifest, AnEmptyLocalFileIsAlwaysListed) {
  // Even with the digest of no bytes at all: an empty file's digest is the empty text.
  ASSERT_TRUE(load_text("[" + element("empty.dll", "f", "d41d8cd98f00b204e9800998ecf8427e", "0") + "]"));
  EXPECT_EQ(listed_names(), std::vector<std::string>{"empty.dll"});
}

TEST_F(LoadManifest, AnEmptyDigestNeverMatchesAMissingFile) {
  ASSERT_TRUE(load_text("[" + element("missing.dll", "f", "") + "]"));
  EXPECT_EQ(listed_names(), std::vector<std::string>{"missing.dll"});
}

TEST_F(LoadManifest, AnElementWithoutMd5RejectsTheWholeManifest) {
  EXPECT_FALSE(load_text("[" + element("other.dll", "f", kAbcMd5) + ", {\"name\": \"x.dll\", \"file\": \"x\", \"size\": 1}, " +
                         element("missing.dll", "m", kAbcMd5) + "]"));
  EXPECT_EQ(log.texts(), std::vector<std::string>{line(45)});
  EXPECT_EQ(listed_names(), std::vector<std::string>{"sentinel"});
}

TEST_F(LoadManifest, EveryMemberIsRequiredWithItsType) {
  const std::vector<std::string> bad = {
      R"({"file": "f", "md5": "m", "size": 1})",
      R"({"name": "a", "md5": "m", "size": 1})",
      R"({"name": "a", "file": "f", "size": 1})",
      R"({"name": "a", "file": "f", "md5": "m"})",
      R"({"name": 1, "file": "f", "md5": "m", "size": 1})",
      R"({"name": "a", "file": null, "md5": "m", "size": 1})",
      R"({"name": "a", "file": "f", "md5": ["m"], "size": 1})",
      R"({"name": "a", "file": "f", "md5": "m", "size": "1"})",
      R"({"name": "a", "file": "f", "md5": "m", "size": -1})",
      R"({"name": "a", "file": "f", "md5": "m", "size": 1.5})",
      R"({"name": "a", "file": "f", "md5": "m", "size": 4294967296})",
  };
  for (const auto& element_text : bad) {
    log.clear();
    EXPECT_FALSE(load_text("[" + element_text + "]")) << element_text;
    EXPECT_EQ(log.texts(), std::vector<std::string>{line(45)}) << element_text;
  }
  EXPECT_EQ(listed_names(), std::vector<std::string>{"sentinel"});
}

TEST_F(LoadManifest, AnUnsafeNameRejectsTheWholeManifest) {
  for (const std::string name : {"..\\\\evil.dll", "C:\\\\evil.dll", "\\\\evil.dll", "/evil", "codecs/../../evil",
                                 "\\u00e9.dll", "a\\tb", "nul.dll", "", "codecs/"}) {
    log.clear();
    EXPECT_FALSE(load_text("[" + element("same.dll", "f", kAbcMd5) + "," + element(name, "f", kAbcMd5) + "]")) << name;
    EXPECT_EQ(log.texts(), std::vector<std::string>{line(45)}) << name;
  }
  EXPECT_EQ(listed_names(), std::vector<std::string>{"sentinel"});
}

TEST_F(LoadManifest, AnElementThatIsNotAnObjectWritesLine39) {
  for (const char* text : {"[1]", "[\"a\"]", "[[]]", "[null]"}) {
    log.clear();
    EXPECT_FALSE(load_text(text)) << text;
    EXPECT_EQ(log.texts(), std::vector<std::string>{line(39)}) << text;
  }
  // The first bad element decides the line.
  log.clear();
  EXPECT_FALSE(load_text("[{\"name\": \"a\"}, 5]"));
  EXPECT_EQ(log.texts(), std::vector<std::string>{line(45)});
}

TEST_F(LoadManifest, ATextThatIsNotAnArrayWritesLine34) {
  for (const std::string text : {"", "{}", "\"a\"", "[", "[1,]", "[] []", "\xEF\xBB\xBF\xEF\xBB\xBF[]"}) {
    log.clear();
    EXPECT_FALSE(load_text(text)) << text;
    EXPECT_EQ(log.texts(), std::vector<std::string>{line(34)}) << text;
  }
  EXPECT_EQ(listed_names(), std::vector<std::string>{"sentinel"});
}

TEST(ReadManifestText, YieldsEveryElementWithoutLookingAtFilesOrWritingLines) {
  log_capture log;
  std::vector<manifest_entry> listed;
  EXPECT_EQ(read_manifest_text("[" + element("a.dll", "a", "m", "1") + "," + element("b.dll", "b", "n", "2") + "]", listed),
            manifest_refusal::none);
  EXPECT_EQ(listed, (std::vector<manifest_entry>{{"a.dll", "a", u"m", 1}, {"b.dll", "b", u"n", 2}}));
  EXPECT_EQ(read_manifest_text("{}", listed), manifest_refusal::not_an_array);
  EXPECT_EQ(read_manifest_text("[1]", listed), manifest_refusal::element_not_an_object);
  EXPECT_EQ(read_manifest_text("[{}]", listed), manifest_refusal::bad_element);
  EXPECT_EQ(listed.size(), 2u);
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(LoadManifest, AnUnreadableOrOversizedFileWritesLine30) {
  EXPECT_FALSE(load_manifest_config_from_file((dir / "missing").u16string(), folder, entries));
  EXPECT_FALSE(load_text("[" + std::string(1024 * 1024, ' ') + "]"));
  EXPECT_EQ(log.texts(), (std::vector<std::string>{line(30), line(30)}));
  EXPECT_EQ(listed_names(), std::vector<std::string>{"sentinel"});
}

}  // namespace
}  // namespace vcam::launcher
