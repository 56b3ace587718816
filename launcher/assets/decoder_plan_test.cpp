#include "launcher/assets/decoder_plan.h"

#include <gtest/gtest.h>

namespace vcam::launcher {
namespace {

manifest_entry sized(std::uint32_t size) { return {"a.dll", "a", u"", size}; }

TEST(DecoderPlan, NothingListedOrOnlyEmptySizesNeedsNoDownload) {
  EXPECT_FALSE(decoder_download_needed({}));
  EXPECT_FALSE(decoder_download_needed({sized(0)}));
  EXPECT_FALSE(decoder_download_needed({sized(0), sized(0), sized(0)}));
  EXPECT_TRUE(decoder_download_needed({sized(0), sized(1)}));
}

TEST(DecoderPlan, TheTotalIsTheSumOfSizesWithoutWrapping) {
  EXPECT_EQ(decoder_download_total({sized(3), sized(4)}), 7u);
  EXPECT_EQ(decoder_download_total({sized(0x80000000u), sized(0x80000000u)}), 0x100000000ull);
  EXPECT_TRUE(decoder_download_needed({sized(0x80000000u), sized(0x80000000u)}));
  EXPECT_EQ(decoder_download_total({sized(0xFFFFFFFFu), sized(0xFFFFFFFFu), sized(2)}), 0x200000000ull);
}

TEST(DecoderPlan, FileUrlAndPathJoinTheirParts) {
  const manifest_entry entry{"codecs\\x.dll", "v2/x.bin", u"", 1};
  EXPECT_EQ(decoder_file_url("https://c.test/codecs/", entry), "https://c.test/codecs/v2/x.bin");
  EXPECT_EQ(decoder_file_path(u"C:\\app\\", entry), u"C:\\app\\codecs\\x.dll");
  EXPECT_EQ(decoder_progress_position(0xFFFFFFFFull, 0xFFFFFFFFu), 0x1FFFFFFFEull);
}

}  // namespace
}  // namespace vcam::launcher
