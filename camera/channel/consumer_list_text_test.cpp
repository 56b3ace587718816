#include "camera/channel/consumer_list_text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace vcam::camera {
namespace {

using Region = std::array<char16_t, kListCapacity>;

Region region_of(std::u16string_view text) {
  Region r{};
  std::copy(text.begin(), text.end(), r.begin());
  return r;
}

std::u16string stored(const ConsumerListText& t) {
  Region r;
  r.fill(u'#');
  t.store(r);
  return std::u16string(r.data());
}

TEST(ConsumerListText, AddAppendsThePathAndASemicolon) {
  ConsumerListText t(region_of(u""));
  EXPECT_TRUE(t.add(u"C:\\a\\cam.exe"));
  EXPECT_TRUE(t.add(u"D:\\b.exe"));
  EXPECT_EQ(stored(t), u"C:\\a\\cam.exe;D:\\b.exe;");
}

TEST(ConsumerListText, AddEndsAnUnterminatedLastEntryBeforeAppending) {
  ConsumerListText t(region_of(u"C:\\x.exe;C:\\other.exe"));
  EXPECT_TRUE(t.add(u"C:\\a.exe"));
  EXPECT_EQ(stored(t), u"C:\\x.exe;C:\\other.exe;C:\\a.exe;");
  // Readers of ended entries now see all three.
  EXPECT_EQ(t.pieces(false), (std::vector<std::u16string>{u"C:\\x.exe", u"C:\\other.exe", u"C:\\a.exe"}));
}

TEST(ConsumerListText, AddToAnEmptyTextStartsWithThePath) {
  ConsumerListText t(region_of(u""));
  EXPECT_TRUE(t.add(u"C:\\a.exe"));
  EXPECT_EQ(t.text(), u"C:\\a.exe;");
}

TEST(ConsumerListText, AddEndsTheLastEntryOnlyWhenTheNewEntryFitsToo) {
  // 2,047 units of text fit: the unterminated filler, its ";", the path and
  // the path's ";".
  const std::u16string filler(2047 - 7, u'f');
  ConsumerListText fits(region_of(filler));
  EXPECT_TRUE(fits.add(u"x.exe"));
  EXPECT_EQ(stored(fits), filler + u";x.exe;");
  EXPECT_EQ(fits.text().size(), 2047u);

  ConsumerListText full(region_of(filler));
  EXPECT_FALSE(full.add(u"xy.exe"));
  EXPECT_EQ(stored(full), filler) << "not even the filler's \";\" goes in alone";
}

TEST(ConsumerListText, PathInsideALongerEntryCountsAsPresent) {
  ConsumerListText t(region_of(u"C:\\tools\\app.exe.bak;"));
  EXPECT_TRUE(t.contains(u"C:\\tools\\app.exe"));
  EXPECT_FALSE(t.add(u"C:\\tools\\app.exe"));
  EXPECT_EQ(t.text(), u"C:\\tools\\app.exe.bak;");
}

TEST(ConsumerListText, TheSearchIsCaseSensitive) {
  ConsumerListText t(region_of(u"C:\\APP.EXE;"));
  EXPECT_TRUE(t.add(u"C:\\app.exe"));
  EXPECT_EQ(t.text(), u"C:\\APP.EXE;C:\\app.exe;");
}

TEST(ConsumerListText, RemovingTheOnlyEntryLeavesAZeroFilledRegion) {
  ConsumerListText t(region_of(u"C:\\a.exe;"));
  EXPECT_TRUE(t.remove(u"C:\\a.exe"));
  Region r;
  r.fill(u'#');
  t.store(r);
  for (char16_t u : r) ASSERT_EQ(u, u'\0');
}

TEST(ConsumerListText, RemoveKeepsOtherEntriesInOrderAndDropsEmptyPieces) {
  ConsumerListText t(region_of(u";;C:\\x.exe;C:\\a.exe;;D:\\y.exe;C:\\a.exe;"));
  EXPECT_TRUE(t.remove(u"C:\\a.exe"));
  EXPECT_EQ(stored(t), u"C:\\x.exe;D:\\y.exe;");
}

TEST(ConsumerListText, RemoveKeepsATrailingUnterminatedPieceAndTerminatesIt) {
  ConsumerListText t(region_of(u"C:\\a.exe;C:\\other.exe"));
  EXPECT_TRUE(t.remove(u"C:\\a.exe"));
  EXPECT_EQ(stored(t), u"C:\\other.exe;");
}

TEST(ConsumerListText, RemoveDropsATrailingPieceEqualToThePath) {
  ConsumerListText t(region_of(u"C:\\x.exe;C:\\a.exe"));
  EXPECT_TRUE(t.remove(u"C:\\a.exe"));
  EXPECT_EQ(stored(t), u"C:\\x.exe;");
}

TEST(ConsumerListText, PathOnlyInsideALongerEntryRebuildsWithoutRemovingIt) {
  ConsumerListText t(region_of(u"C:\\a.exe.old;;C:\\b.exe"));
  EXPECT_TRUE(t.remove(u"C:\\a.exe"));
  EXPECT_EQ(stored(t), u"C:\\a.exe.old;C:\\b.exe;");
}

TEST(ConsumerListText, AbsentPathLeavesTheTextAlone) {
  ConsumerListText t(region_of(u";;C:\\x.exe"));
  EXPECT_FALSE(t.remove(u"C:\\a.exe"));
  EXPECT_EQ(t.text(), u";;C:\\x.exe");
}

TEST(ConsumerListText, PiecesTellTerminatedEntriesFromATrailingPiece) {
  ConsumerListText t(region_of(u"A;;B;C"));
  EXPECT_EQ(t.pieces(false), (std::vector<std::u16string>{u"A", u"B"}));
  EXPECT_EQ(t.pieces(true), (std::vector<std::u16string>{u"A", u"B", u"C"}));
}

TEST(ConsumerListText, AddRefusesAnEntryThatDoesNotFitWhole) {
  // 2,047 units of text fit; leave room for "x.exe" and its ";" but not for
  // "xy.exe" and its ";". The filler ends in ";", so nothing is added before
  // the path.
  const std::u16string filler = std::u16string(2047 - 7, u'f') + u";";
  ConsumerListText t(region_of(filler));
  EXPECT_FALSE(t.add(u"xy.exe"));
  EXPECT_EQ(t.text(), filler);
  EXPECT_TRUE(t.add(u"x.exe"));
  EXPECT_EQ(t.text().size(), 2047u);
  EXPECT_EQ(stored(t), filler + u"x.exe;");
}

TEST(ConsumerListText, UnterminatedFullRegionIsReadWithinItsBounds) {
  Region r;
  r.fill(u'z');
  ConsumerListText t(r);
  EXPECT_EQ(t.text().size(), kListCapacity - 1);
  EXPECT_FALSE(t.add(u"C:\\a.exe"));
  EXPECT_TRUE(t.remove(u"zzz"));
  // The single unterminated piece survives the rebuild, cut to leave a terminator.
  Region out;
  t.store(out);
  EXPECT_EQ(out[kListCapacity - 1], u'\0');
  EXPECT_EQ(std::u16string(out.data()), std::u16string(kListCapacity - 1, u'z'));
}

TEST(ConsumerListText, TrailingPieceThatFillsTheRegionStaysUnterminated) {
  // "A;" then a trailing piece up to the last usable unit; removing "A" makes
  // room, so the piece gets its ";".
  std::u16string text = u"A;" + std::u16string(kListCapacity - 3, u't');
  ConsumerListText t(region_of(text));
  EXPECT_TRUE(t.remove(u"A"));
  EXPECT_EQ(stored(t), std::u16string(kListCapacity - 3, u't') + u";");
  // With nothing removed there is no room for the ";".
  std::u16string full = u"A.exe;" + std::u16string(kListCapacity - 7, u't');
  ConsumerListText u(region_of(full));
  EXPECT_TRUE(u.remove(u"A"));
  EXPECT_EQ(stored(u), full);
}

}  // namespace
}  // namespace vcam::camera
