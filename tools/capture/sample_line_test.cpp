#include "tools/capture/sample_line.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vcam::capture {
namespace {

TEST(SampleLine, Fnv1aKnownValues) {
  EXPECT_EQ(fnv1a32(nullptr, 0), 0x811C9DC5u);
  const char* a = "a";
  EXPECT_EQ(fnv1a32(reinterpret_cast<const std::uint8_t*>(a), 1), 0xE40C292Cu);
  const char* foobar = "foobar";
  EXPECT_EQ(fnv1a32(reinterpret_cast<const std::uint8_t*>(foobar), std::strlen(foobar)), 0xBF9CF968u);
}

TEST(SampleLine, FullRecord) {
  SampleRecord r;
  r.index = 15;
  r.start = 9'999'990;
  r.stop = 10'666'656;
  r.media_start = 15;
  r.media_stop = 16;
  r.size = 921'600;
  r.checksum = 0x0000ABCD;
  EXPECT_EQ(format_sample_line(r), "sample 15 start=9999990 stop=10666656 media=15-16 size=921600 fnv1a=0000abcd");
}

TEST(SampleLine, MissingTimesAreDashes) {
  SampleRecord r;
  r.size = 4;
  EXPECT_EQ(format_sample_line(r), "sample 0 start=- stop=- media=- size=4 fnv1a=00000000");
}

}  // namespace
}  // namespace vcam::capture
