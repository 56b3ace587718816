#include "common/scrambled_name.h"

#include <gtest/gtest.h>

#include <vector>

namespace vcam {
namespace {

TEST(ScrambledName, FieldSizeHoldsTheTerminatorAndPadsToWords) {
  EXPECT_EQ(scrambled_name_field_size(0), 4u);
  EXPECT_EQ(scrambled_name_field_size(1), 4u);
  EXPECT_EQ(scrambled_name_field_size(2), 8u);
  EXPECT_EQ(scrambled_name_field_size(3), 8u);
  EXPECT_EQ(scrambled_name_field_size(127), 256u);
}

TEST(ScrambledName, RoundTripsAndScramblesEveryWord) {
  for (std::u16string name : {u"", u"a", u"font.xml", u"进度窗口.xml", u"\U0001F600x"}) {
    std::vector<unsigned char> field(scrambled_name_field_size(name.size()) + 8, 0xEE);
    write_scrambled_name(field.data(), field.size(), name);
    EXPECT_EQ(read_scrambled_name(field.data(), field.size()), name);
    EXPECT_EQ(scrambled_field_last_byte(field.data(), field.size()), 0);
    // An all-zero name word is stored as the key itself.
    EXPECT_EQ(load_le32(field.data() + field.size() - 4), kIndexKey);
  }
}

TEST(ScrambledName, KnownBytes) {
  unsigned char field[4];
  write_scrambled_name(field, 4, u"A");
  EXPECT_EQ(load_le32(field), 0x41u ^ kIndexKey);
}

TEST(ScrambledName, ReadingStopsAtTheFieldEndWithoutATerminator) {
  unsigned char field[8];
  store_le32(field, (u'b' << 16 | u'a') ^ kIndexKey);
  store_le32(field + 4, (std::uint32_t(u'进') << 16 | u'c') ^ kIndexKey);
  EXPECT_EQ(read_scrambled_name(field, sizeof field), u"abc进");
  EXPECT_NE(scrambled_field_last_byte(field, sizeof field), 0);
  EXPECT_EQ(read_scrambled_name(field, 0), u"");
}

}  // namespace
}  // namespace vcam
