#include <gtest/gtest.h>

#include "tools/outside/bugreport/upload_arguments.h"
#include "tools/outside/bugreport/upload_form.h"

namespace vcam::bugreport {
namespace {

TEST(UploadArguments, TakesTheFourArgumentsTheCrashHandlerPasses) {
  UploadArguments a;
  std::string error;
  ASSERT_TRUE(parse_upload_arguments({u"http://crash.example/UploadFiles.php", u"C:\\Program Files\\Zelo\\dump",
                                      u"6.0.0.5", u"6.0.1.0"},
                                     a, error))
      << error;
  EXPECT_EQ(a.endpoint, "http://crash.example/UploadFiles.php");
  EXPECT_EQ(a.dump_folder, u"C:\\Program Files\\Zelo\\dump");
  EXPECT_EQ(a.current_version, "6.0.0.5");
  EXPECT_EQ(a.latest_version, "6.0.1.0");
}

TEST(UploadArguments, DropsTrailingSeparatorsAndAllowsNoLatestVersion) {
  UploadArguments a;
  std::string error;
  ASSERT_TRUE(parse_upload_arguments({u"https://h/UploadFiles.php", u"D:\\dump\\\\/", u"6.0.0.5", u""}, a, error));
  EXPECT_EQ(a.dump_folder, u"D:\\dump");
  EXPECT_EQ(a.latest_version, "");
}

TEST(UploadArguments, RefusesWhatCannotBeUploaded) {
  const std::vector<std::vector<std::u16string>> bad = {
      {},
      {u"http://h/u", u"C:\\d", u"6.0.0.5"},
      {u"http://h/u", u"C:\\d", u"6.0.0.5", u"6.0.1.0", u"extra"},
      {u"ftp://h/u", u"C:\\d", u"6.0.0.5", u"6.0.1.0"},
      {u"C:\\d", u"http://h/u", u"6.0.0.5", u"6.0.1.0"},
      {u"http://h/u", u"\\", u"6.0.0.5", u"6.0.1.0"},
      {u"http://h/u", u"C:\\d", u"", u"6.0.1.0"},
  };
  for (const auto& args : bad) {
    UploadArguments a;
    a.endpoint = "kept";
    std::string error;
    EXPECT_FALSE(parse_upload_arguments(args, a, error)) << args.size();
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(a.endpoint, "kept");
  }
}

TEST(UploadForm, CarriesBothVersionsAndTheFileField) {
  UploadArguments a;
  a.current_version = "6.0.0.5";
  a.latest_version = "6.0.1.0";
  const UploadForm f = upload_form(a);
  using Field = std::pair<std::string, std::string>;
  EXPECT_EQ(f.fields, (std::vector<Field>{{"current_version", "6.0.0.5"}, {"latest_version", "6.0.1.0"}}));
  EXPECT_EQ(f.file_field, "file");
}

TEST(UploadForm, TakesOnlyDumpNames) {
  EXPECT_TRUE(is_dump_file_name(u"20190402062827123.dmp"));
  EXPECT_TRUE(is_dump_file_name(u"a.DMP"));
  EXPECT_TRUE(is_dump_file_name(u"a.b.Dmp"));
  EXPECT_FALSE(is_dump_file_name(u".dmp"));
  EXPECT_FALSE(is_dump_file_name(u"a.dmpx"));
  EXPECT_FALSE(is_dump_file_name(u"a.dm"));
  EXPECT_FALSE(is_dump_file_name(u"dmp"));
  EXPECT_FALSE(is_dump_file_name(u"a.dmp.tmp"));
  EXPECT_FALSE(is_dump_file_name(u""));
}

TEST(UploadForm, OnlyACompletedTransferWithStatus200IsAccepted) {
  EXPECT_TRUE(upload_accepted(0, 200));
  EXPECT_FALSE(upload_accepted(0, 201));
  EXPECT_FALSE(upload_accepted(0, 400));
  EXPECT_FALSE(upload_accepted(0, 500));
  EXPECT_FALSE(upload_accepted(28, 200));
  EXPECT_FALSE(upload_accepted(7, 0));
}

}  // namespace
}  // namespace vcam::bugreport
