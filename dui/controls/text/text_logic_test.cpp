// The text controls' arithmetic without a window: widths and hit indices,
// the single-line buffer's limit, the editor's chunks and its wrapping.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "dui/controls/text/auto_scroll_clock.h"
#include "dui/controls/text/char_widths.h"
#include "dui/controls/text/edit_text.h"
#include "dui/controls/text/text_line.h"
#include "dui/controls/text/visual_lines.h"

namespace vcam::dui {
namespace {

// 'i' is 2 wide, 'm' 10, the dot 6, everything else 5.
class TableWidths : public CharWidths {
 public:
  std::int32_t Width(char16_t c) override {
    ++asked;
    if (c == u'i') return 2;
    if (c == u'm') return 10;
    if (c == kPasswordDot) return 6;
    return 5;
  }
  int asked = 0;
};

TEST(CharWidths, PrefixWidthSumsEachCharacterOrTheDot) {
  TableWidths w;
  EXPECT_EQ(PrefixWidth(w, u"imx", 0, false), 0);
  EXPECT_EQ(PrefixWidth(w, u"imx", 2, false), 12);
  EXPECT_EQ(PrefixWidth(w, u"imx", 3, false), 17);
  EXPECT_EQ(PrefixWidth(w, u"imx", 99, false), 17);  // clamped to the text
  EXPECT_EQ(PrefixWidth(w, u"imx", 3, true), 18);     // three dots
}

TEST(CharWidths, HitIndexRoundsToTheNearerGap) {
  TableWidths w;
  // "m" spans 0..10 in "mm": left half gives 0, right half 1.
  EXPECT_EQ(HitIndex(w, u"mm", 0, 0, false), 0u);
  EXPECT_EQ(HitIndex(w, u"mm", 5, 0, false), 0u);  // exactly the middle is not right of it
  EXPECT_EQ(HitIndex(w, u"mm", 6, 0, false), 1u);
  EXPECT_EQ(HitIndex(w, u"mm", 10, 0, false), 1u);
  EXPECT_EQ(HitIndex(w, u"mm", 16, 0, false), 2u);
  // Right of the last character's middle, and past the end: the length.
  EXPECT_EQ(HitIndex(w, u"mm", 19, 0, false), 2u);
  EXPECT_EQ(HitIndex(w, u"mm", 500, 0, false), 2u);
  EXPECT_EQ(HitIndex(w, u"", 3, 0, false), 0u);
}

TEST(CharWidths, HitIndexAddsTheScrollOffsetAndHonoursTheMask) {
  TableWidths w;
  EXPECT_EQ(HitIndex(w, u"mmmm", 1, 20, false), 2u);
  // Masked, "im" is two dots of 6: x=4 is right of the first dot's middle.
  EXPECT_EQ(HitIndex(w, u"im", 4, 0, true), 1u);
  EXPECT_EQ(HitIndex(w, u"im", 4, 0, false), 1u);
  EXPECT_EQ(HitIndex(w, u"im", 7, 0, true), 1u);
  EXPECT_EQ(HitIndex(w, u"im", 7, 0, false), 1u);
  EXPECT_EQ(HitIndex(w, u"im", 8, 0, true), 1u);
  EXPECT_EQ(HitIndex(w, u"im", 8, 0, false), 2u);
}

TEST(TextLine, InsertTakesOnlyWhatFitsUpTo2000) {
  TextLine line;
  EXPECT_TRUE(line.Assign(std::u16string(1995, u'a')));
  EXPECT_EQ(line.Insert(3, u"0123456789"), 5u);
  EXPECT_EQ(line.size(), 2000u);
  EXPECT_EQ(line.text().substr(3, 5), u"01234");
  EXPECT_TRUE(line.full());
  EXPECT_EQ(line.Insert(0, u"x"), 0u);
  EXPECT_EQ(line.size(), 2000u);
}

TEST(TextLine, AssignOf2000OrMoreKeepsTheFirst1999AndSaysSo) {
  TextLine line;
  EXPECT_TRUE(line.Assign(std::u16string(1999, u'a')));
  EXPECT_EQ(line.size(), 1999u);
  std::u16string long_text(1999, u'b');
  long_text += u"XYZ";
  EXPECT_FALSE(line.Assign(long_text));
  EXPECT_EQ(line.text(), std::u16string(1999, u'b'));
  EXPECT_FALSE(line.Assign(std::u16string(2000, u'c')));
  EXPECT_EQ(line.size(), 1999u);
}

TEST(TextLine, EraseOrdersAndClampsTheRange) {
  TextLine line;
  line.Assign(u"abcdef");
  EXPECT_EQ(line.Erase(4, 1), 3u);
  EXPECT_EQ(line.text(), u"aef");
  EXPECT_EQ(line.Erase(2, 50), 1u);
  EXPECT_EQ(line.text(), u"ae");
  EXPECT_EQ(line.Erase(9, 12), 0u);
  EXPECT_EQ(line.Insert(99, u"z"), 1u);  // past the end appends
  EXPECT_EQ(line.text(), u"aez");
}

std::uint32_t g_now = 0;
std::uint32_t Now() { return g_now; }

class Clock : public ::testing::Test {
 protected:
  void SetUp() override { AutoScrollClock::Shared().SetTickSource(&Now); }
  void TearDown() override { AutoScrollClock::Shared().SetTickSource(nullptr); }
};

TEST_F(Clock, StepsAtMostEvery50Milliseconds) {
  g_now = 1000;
  AutoScrollClock& clock = AutoScrollClock::Shared();
  EXPECT_TRUE(clock.Step());
  EXPECT_FALSE(clock.Step());
  g_now = 1049;
  EXPECT_FALSE(clock.Step());
  g_now = 1050;
  EXPECT_TRUE(clock.Step());
  int steps = 0;
  for (int ms = 0; ms < 1000; ++ms, ++g_now) steps += clock.Step() ? 1 : 0;
  EXPECT_EQ(steps, 19);  // with the one at 1050: 20 in that second
}

TEST_F(Clock, SurvivesTheTickCounterWrapping) {
  g_now = 0xFFFFFFF0u;
  AutoScrollClock& clock = AutoScrollClock::Shared();
  EXPECT_TRUE(clock.Step());
  g_now = 0x10;  // 32 ms later
  EXPECT_FALSE(clock.Step());
  g_now = 0x22;  // 50 ms later
  EXPECT_TRUE(clock.Step());
}

TEST(EditText, ChunksNeverExceedTheirSizeAndKeepTheText) {
  EditText text;
  std::u16string model(5000, u'a');
  for (std::size_t i = 0; i < model.size(); ++i) model[i] = static_cast<char16_t>(u'a' + i % 26);
  text.Assign(model);
  EXPECT_EQ(text.chunk_count(), 3u);
  std::mt19937 rng(7);
  for (int step = 0; step < 400; ++step) {
    const std::size_t at = rng() % (model.size() + 1);
    if (rng() % 3 == 0) {
      const std::size_t to = std::min(model.size(), at + rng() % 3000);
      text.Erase(at, to);
      model.erase(at, to - at);
    } else {
      const std::u16string piece(rng() % 2500, static_cast<char16_t>(u'A' + step % 26));
      text.Insert(at, piece);
      model.insert(at, piece);
    }
    ASSERT_EQ(text.size(), model.size());
  }
  EXPECT_EQ(text.Text(), model);
  for (std::size_t i = 0; i < model.size(); i += 97) ASSERT_EQ(text.At(i), model[i]);
  EXPECT_EQ(text.Copy(10, 20), model.substr(10, 10));
  EXPECT_EQ(text.Copy(model.size() - 3, model.size() + 50), model.substr(model.size() - 3));
  // Every chunk within the limit: at least size / limit of them.
  EXPECT_GE(text.chunk_count() * EditText::kChunk, text.size());
}

TEST(EditText, ReaderWalksAcrossChunks) {
  EditText text;
  std::u16string model(EditText::kChunk * 2 + 5, u'x');
  model[EditText::kChunk - 1] = u'A';
  model[EditText::kChunk] = u'B';
  text.Assign(model);
  EditText::Reader r(text, EditText::kChunk - 1);
  EXPECT_EQ(r.Peek(), u'A');
  r.Advance();
  EXPECT_EQ(r.Peek(), u'B');
  std::size_t n = 0;
  for (EditText::Reader all(text, 0); !all.done(); all.Advance()) ++n;
  EXPECT_EQ(n, model.size());
}

std::vector<std::u16string> Shown(const EditText& text, const VisualLines& lines) {
  std::vector<std::u16string> out;
  for (std::size_t i = 0; i < lines.count(); ++i) out.push_back(text.Copy(lines[i].start, lines[i].end));
  return out;
}

TEST(VisualLines, WrapsByWidthWithoutLookingForWords) {
  TableWidths w;
  EditText text;
  text.Assign(u"aaaa bbbb cc");  // 12 characters of 5
  VisualLines lines;
  lines.Wrap(text, w, 20);
  EXPECT_EQ(Shown(text, lines), (std::vector<std::u16string>{u"aaaa", u" bbb", u"b cc"}));
  EXPECT_FALSE(lines[0].hard_break());
}

TEST(VisualLines, BreaksAtLfCrAndCrLfAsOneBreak) {
  TableWidths w;
  EditText text;
  text.Assign(u"ab\r\ncd\ref\ngh\r\n");
  VisualLines lines;
  lines.Wrap(text, w, 1000);
  EXPECT_EQ(Shown(text, lines), (std::vector<std::u16string>{u"ab", u"cd", u"ef", u"gh", u""}));
  EXPECT_EQ(lines[0].next, 4u);  // the LF belongs to the CR's break
  EXPECT_EQ(lines[1].next, 7u);
  EXPECT_TRUE(lines[3].hard_break());
  EXPECT_EQ(lines[4].start, 14u);
  EXPECT_EQ(lines.LineOf(3), 0u);
  EXPECT_EQ(lines.LineOf(4), 1u);
  EXPECT_EQ(lines.LineOf(14), 4u);
}

TEST(VisualLines, TabTakesFourSpacesAndAWideCharacterStillGetsALine) {
  TableWidths w;
  EditText text;
  text.Assign(u"a\tb");  // 5 + 20 + 5
  VisualLines lines;
  lines.Wrap(text, w, 25);
  EXPECT_EQ(Shown(text, lines), (std::vector<std::u16string>{u"a\t", u"b"}));
  lines.Wrap(text, w, 3);  // narrower than any character: one a line, no endless loop
  EXPECT_EQ(lines.count(), 3u);
  lines.Wrap(text, w, 0);  // no width yet: breaks only where the text has them
  EXPECT_EQ(lines.count(), 1u);
  lines.Wrap(text, w, -10);
  EXPECT_EQ(lines.count(), 1u);
}

TEST(VisualLines, EmptyTextHasOneEmptyLine) {
  TableWidths w;
  EditText text;
  VisualLines lines;
  lines.Wrap(text, w, 100);
  ASSERT_EQ(lines.count(), 1u);
  EXPECT_EQ(lines[0].start, 0u);
  EXPECT_EQ(lines[0].end, 0u);
}

TEST(VisualLines, StopsAt200000LinesAndTakesRecordsInBlocksOf1000) {
  TableWidths w;
  EditText text;
  std::u16string many;
  many.reserve(210000 * 3);
  for (int i = 0; i < 210000; ++i) many += u"x\r\n";
  text.Assign(many);
  VisualLines lines;
  lines.Wrap(text, w, 100);
  EXPECT_EQ(lines.count(), VisualLines::kMaxLines);
  EXPECT_TRUE(lines.truncated());
  EXPECT_EQ(lines.capacity() % VisualLines::kPoolBlock, 0u);
  EXPECT_LE(lines.capacity(), VisualLines::kMaxLines);
  // An edit near the start keeps the table at the limit.
  text.Insert(0, u"y\r\n");
  lines.Update(text, w, 0, 0, 3);
  EXPECT_EQ(lines.count(), VisualLines::kMaxLines);
  EXPECT_EQ(lines[1].start, 3u);
  // Removing most of the text lets the table reach the end again.
  const std::size_t removed = text.size() - 30;
  text.Erase(0, removed);
  lines.Update(text, w, 0, removed, 0);
  VisualLines fresh;
  fresh.Wrap(text, w, 100);
  EXPECT_FALSE(lines.truncated());
  EXPECT_EQ(Shown(text, lines), Shown(text, fresh));
}

// After every random edit the incremental update equals a whole re-wrap.
TEST(VisualLines, UpdateMatchesAWholeRewrap) {
  TableWidths w;
  std::mt19937 rng(11);
  const char16_t alphabet[] = u"aim \t\r\n";
  EditText text;
  std::u16string start;
  for (int i = 0; i < 3000; ++i) start.push_back(alphabet[rng() % 7]);
  text.Assign(start);
  VisualLines lines;
  lines.Wrap(text, w, 37);
  for (int step = 0; step < 300; ++step) {
    const std::size_t at = rng() % (text.size() + 1);
    const std::size_t removed = std::min<std::size_t>(text.size() - at, rng() % 4 == 0 ? rng() % 40 : 0);
    std::u16string piece;
    for (std::size_t n = rng() % 6; n > 0; --n) piece.push_back(alphabet[rng() % 7]);
    text.Erase(at, at + removed);
    text.Insert(at, piece);
    lines.Update(text, w, at, removed, piece.size());
    VisualLines fresh;
    fresh.Wrap(text, w, 37);
    ASSERT_EQ(lines.count(), fresh.count()) << "step " << step;
    for (std::size_t i = 0; i < fresh.count(); ++i) {
      ASSERT_EQ(lines[i].start, fresh[i].start) << "step " << step << " line " << i;
      ASSERT_EQ(lines[i].end, fresh[i].end) << "step " << step << " line " << i;
      ASSERT_EQ(lines[i].next, fresh[i].next) << "step " << step << " line " << i;
    }
  }
}

TEST(VisualLines, UpdateRewrapsOnlyNearTheEdit) {
  TableWidths w;
  EditText text;
  std::u16string big;
  for (int i = 0; i < 20000; ++i) big += u"line of text\r\n";
  text.Assign(big);
  VisualLines lines;
  lines.Wrap(text, w, 1000);
  w.asked = 0;
  text.Insert(100000, u"q");
  lines.Update(text, w, 100000, 0, 1);
  EXPECT_LT(w.asked, 100);  // two or three lines' worth, not the whole text
  EXPECT_EQ(lines.count(), 20001u);
}

}  // namespace
}  // namespace vcam::dui
