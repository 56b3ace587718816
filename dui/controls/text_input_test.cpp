// The text box and the editor in a test window: typing, keys, clipboard,
// mouse selection, caret placement, wheel and painting.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/text_utf.h"
#include "dui/controls/edit.h"
#include "dui/controls/text/auto_scroll_clock.h"
#include "dui/controls/text_box.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/testing/event_counter.h"
#include "dui/testing/layout_text.h"
#include "dui/testing/recording_painter.h"
#include "dui/testing/test_platform.h"

namespace vcam::dui {
namespace {

using testing::AttachedTree;
using testing::EventCounter;
using testing::kTextCharWidth;

constexpr std::string_view kBox =
    R"(<Grid><TextBox id="1" width="100" height="20" margin="10,10,0,0" horizontalAlign="left" verticalAlign="top"/></Grid>)";
constexpr std::string_view kEdit =
    R"(<Grid><Edit id="2" width="80" height="70" margin="0,0,0,0" horizontalAlign="left" verticalAlign="top"/></Grid>)";

constexpr std::int32_t kCtrlA = 'A', kCtrlC = 'C', kCtrlV = 'V', kCtrlX = 'X';

std::int32_t Raise(Control& c, std::int32_t kind, std::intptr_t p1 = 0) {
  EventArgs args{kind, Routing::Direct, p1, 0, 0};
  c.RaiseEvent(args);
  return args.handled;
}

std::uint32_t g_ticks = 0;
std::uint32_t Ticks() { return g_ticks; }

class TextInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Initialize(u"text", std::make_unique<testing::TestPlatform>(state_)));
    AutoScrollClock::Shared().SetTickSource(&Ticks);
  }
  void TearDown() override {
    AutoScrollClock::Shared().SetTickSource(nullptr);
    Shutdown();
  }

  static void Focus(AttachedTree& tree, Control& c) {
    tree.window().SetFocusedControl(&c);
    c.SetFlag(ControlFlags::Focused, true);
    Raise(c, EventKind::GotFocus);
  }
  static void Blur(Control& c) {
    c.SetFlag(ControlFlags::Focused, false);
    Raise(c, EventKind::LostFocus);
  }
  static void Type(Control& c, std::u16string_view text) {
    for (char16_t ch : text) Raise(c, EventKind::KeyPress, ch);
  }
  void Shortcut(Control& c, std::int32_t key) {
    state_.control_key = true;
    Raise(c, EventKind::KeyDown, key);
    state_.control_key = false;
  }
  static void Press(AttachedTree& tree, Control& c, std::int32_t x, std::int32_t y) {
    tree.window().cursor = {x, y};
    c.SetFlag(ControlFlags::Pressed, true);
    Raise(c, EventKind::LButtonDown);
  }
  static void MoveTo(AttachedTree& tree, Control& c, std::int32_t x, std::int32_t y) {
    tree.window().cursor = {x, y};
    Raise(c, EventKind::MouseMove);
  }

  testing::TestPlatformState state_;
};

TextBox& BoxOf(AttachedTree& tree) { return *static_cast<TextBox*>(tree.ById(1)); }
Edit& EditOf(AttachedTree& tree) { return *static_cast<Edit*>(tree.ById(2)); }

TEST_F(TextInput, FullTextBoxIgnoresTyping) {
  AttachedTree tree(kBox);
  tree.Layout(200, 100);
  TextBox& box = BoxOf(tree);
  box.SetText(std::u16string(1999, u'a'));
  EventCounter changes;
  changes.Watch(box, EventKind::ValueChange);
  Type(box, u"b");
  EXPECT_EQ(box.GetText().size(), 2000u);
  Type(box, u"cd");
  EXPECT_EQ(box.GetText().size(), 2000u);
  EXPECT_EQ(box.GetText().back(), u'b');
  EXPECT_EQ(changes.count, 1);
  // Control characters are never inserted.
  box.SetText(u"x");
  Type(box, u"\t\r\x1b");
  EXPECT_EQ(box.GetText(), u"x");
}

TEST_F(TextInput, SetTextOf2000OrMoreKeeps1999AndScrollsToTheCaret) {
  AttachedTree tree(kBox);
  tree.Layout(200, 100);
  TextBox& box = BoxOf(tree);
  EventCounter changes;
  changes.Watch(box, EventKind::ValueChange);
  EXPECT_FALSE(box.SetText(std::u16string(2500, u'w')));
  EXPECT_EQ(box.GetText().size(), 1999u);
  EXPECT_EQ(box.selection().caret, 1999u);
  EXPECT_EQ(box.scroll_offset(), 1999 * kTextCharWidth - (100 - 16));
  EXPECT_EQ(changes.count, 1);
  EXPECT_TRUE(box.SetText(u"short"));
  EXPECT_EQ(box.scroll_offset(), 0);
  EXPECT_TRUE(box.SetText(u"short"));  // the same text: no change raised
  EXPECT_EQ(changes.count, 2);
}

TEST_F(TextInput, ArrangingWiderBringsBackTextScrolledOutBeforeLayout) {
  AttachedTree tree(R"(<Grid><TextBox id="1"/></Grid>)");
  TextBox& box = BoxOf(tree);
  box.SetText(u"fits once arranged");  // no width yet: scrolled to its end
  EXPECT_GT(box.scroll_offset(), 0);
  tree.Layout(300, 30);
  EXPECT_EQ(box.scroll_offset(), 0);
  box.SetText(std::u16string(60, u'w'));
  EXPECT_EQ(box.scroll_offset(), 60 * kTextCharWidth - (300 - 16));
  tree.Layout(100, 30);  // narrower: the offset is still within the text
  EXPECT_EQ(box.scroll_offset(), 60 * kTextCharWidth - (300 - 16));
}

TEST_F(TextInput, PasteIntoAlmostFullBoxInsertsWhatFits) {
  AttachedTree tree(kBox);
  tree.Layout(200, 100);
  TextBox& box = BoxOf(tree);
  box.SetText(std::u16string(1995, u'a'));
  state_.clipboard = u"0123456789";
  Shortcut(box, kCtrlV);
  EXPECT_EQ(box.GetText().size(), 2000u);
  EXPECT_EQ(box.GetText().substr(1995), u"01234");
  EXPECT_EQ(box.selection().caret, 2000u);
}

TEST_F(TextInput, PastedControlCharactersBecomeSpaces) {
  AttachedTree tree(kBox);
  tree.Layout(200, 100);
  TextBox& box = BoxOf(tree);
  box.SetText(u"[]");
  box.Select(1, 1);
  state_.clipboard = u"a\tb";
  Shortcut(box, kCtrlV);
  EXPECT_EQ(box.GetText(), u"[a b]");
  EXPECT_EQ(box.selection().caret, 4u);
  // Paste replaces a selection.
  box.Select(0, 5);
  state_.clipboard = u"z";
  Shortcut(box, kCtrlV);
  EXPECT_EQ(box.GetText(), u"z");
  // V without Ctrl is only a key.
  Raise(box, EventKind::KeyDown, kCtrlV);
  EXPECT_EQ(box.GetText(), u"z");
}

TEST_F(TextInput, CopyNeedsASelectionAndCutRemovesIt) {
  AttachedTree tree(kBox);
  tree.Layout(200, 100);
  TextBox& box = BoxOf(tree);
  box.SetText(u"hello");
  state_.clipboard = u"keep";
  Shortcut(box, kCtrlC);
  EXPECT_EQ(state_.clipboard_writes, 0);
  EXPECT_EQ(*state_.clipboard, u"keep");
  box.Select(1, 3);
  Shortcut(box, kCtrlC);
  EXPECT_EQ(*state_.clipboard, u"el");
  EXPECT_EQ(box.GetText(), u"hello");
  box.Select(4, 2);
  Shortcut(box, kCtrlX);
  EXPECT_EQ(*state_.clipboard, u"ll");
  EXPECT_EQ(box.GetText(), u"heo");
  EXPECT_EQ(box.selection().caret, 2u);
  EXPECT_TRUE(box.selection().empty());
  // A cut the clipboard refuses keeps the text.
  state_.clipboard_locked = true;
  box.Select(0, 3);
  Shortcut(box, kCtrlX);
  EXPECT_EQ(box.GetText(), u"heo");
}

TEST_F(TextInput, ClipboardFailuresLeaveTheTextUnchanged) {
  AttachedTree tree(kBox);
  tree.Layout(200, 100);
  TextBox& box = BoxOf(tree);
  box.SetText(u"abc");
  box.Select(0, 3);
  EventCounter changes;
  changes.Watch(box, EventKind::ValueChange);
  state_.clipboard_locked = true;
  state_.clipboard = u"new";
  Shortcut(box, kCtrlV);
  state_.clipboard_locked = false;
  state_.clipboard.reset();  // no text on it
  Shortcut(box, kCtrlV);
  state_.clipboard = u"";
  Shortcut(box, kCtrlV);
  EXPECT_EQ(box.GetText(), u"abc");
  EXPECT_EQ(box.selection().max(), 3u);
  EXPECT_EQ(changes.count, 0);
}

TEST_F(TextInput, KeysEditAndMoveTheCaret) {
  AttachedTree tree(kBox);
  tree.Layout(200, 100);
  TextBox& box = BoxOf(tree);
  box.SetText(u"abcd");
  EXPECT_EQ(Raise(box, EventKind::KeyDown, 37), 1);
  Raise(box, EventKind::KeyDown, 38);
  EXPECT_EQ(box.selection().caret, 2u);
  Raise(box, EventKind::KeyDown, 8);
  EXPECT_EQ(box.GetText(), u"acd");
  EXPECT_EQ(box.selection().caret, 1u);
  Raise(box, EventKind::KeyDown, 39);
  Raise(box, EventKind::KeyDown, 40);
  Raise(box, EventKind::KeyDown, 40);  // already at the end
  EXPECT_EQ(box.selection().caret, 3u);
  Shortcut(box, kCtrlA);
  EXPECT_EQ(box.selection().anchor, 0u);
  EXPECT_EQ(box.selection().caret, 3u);
  Raise(box, EventKind::KeyDown, 8);
  EXPECT_EQ(box.GetText(), u"");
  EXPECT_EQ(Raise(box, EventKind::KeyDown, 8), 1);  // at 0: nothing, still handled
  EXPECT_EQ(Raise(box, EventKind::KeyDown, 46), 1);  // Delete does nothing
}

TEST_F(TextInput, FocusShowsTheCaretWhereTheTextEnds) {
  AttachedTree tree(kBox);
  tree.Layout(200, 100);
  TextBox& box = BoxOf(tree);
  box.SetText(u"abc");
  Focus(tree, box);
  const std::int32_t lh = box.line_height();
  EXPECT_EQ(tree.window().caret_size.cx, 1);
  EXPECT_EQ(tree.window().caret_size.cy, lh);
  EXPECT_TRUE(tree.window().caret_shown);
  EXPECT_EQ(tree.window().caret.x, 10 + 8 + 3 * kTextCharWidth);
  EXPECT_EQ(tree.window().caret.y, (10 + 30 - lh) / 2);
  box.Select(0, 3);  // a selection hides the caret
  EXPECT_FALSE(tree.window().caret_shown);
}

TEST_F(TextInput, FocusLossCollapsesTheSelection) {
  AttachedTree tree(kBox);
  tree.Layout(200, 100);
  TextBox& box = BoxOf(tree);
  box.SetText(u"select me");
  Focus(tree, box);
  Raise(box, EventKind::LButtonDbClick);
  EXPECT_EQ(box.selection().max() - box.selection().min(), 9u);
  Blur(box);
  EXPECT_TRUE(box.selection().empty());
  EXPECT_EQ(box.selection().caret, 9u);
  EXPECT_FALSE(tree.window().caret_shown);
}

TEST_F(TextInput, PasswordFlagIsTakenWhenTheFontIsSet) {
  AttachedTree tree(kBox);
  tree.Layout(200, 100);
  TextBox& box = BoxOf(tree);
  box.SetFlag(ControlFlags::Checked, true);
  EXPECT_FALSE(box.password());  // the flag alone changes nothing
  box.SetFont(UiRuntime::Instance()->GetFont(u"Default"));
  EXPECT_TRUE(box.password());
  box.SetText(u"abc");
  Focus(tree, box);
  const Rect r = box.GetWindowRect();
  EXPECT_EQ(tree.window().caret.x, r.left + 8 + 3 * testing::kDotWidth);
  testing::RecordingPainter painter;
  box.Paint(painter, r, r);
  const std::string dots = utf16_to_utf8(u"\u25CF\u25CF\u25CF");
  EXPECT_TRUE(std::any_of(painter.log.begin(), painter.log.end(),
                          [&](const std::string& line) { return line.rfind("text " + dots + " ", 0) == 0; }));
  // Clearing Checked later changes nothing until the font is set again.
  box.SetFlag(ControlFlags::Checked, false);
  EXPECT_TRUE(box.password());
  box.SetFont(nullptr);
  EXPECT_FALSE(box.password());
}

TEST_F(TextInput, ClickRightOfTheLastMiddlePutsTheCaretAtTheEnd) {
  AttachedTree tree(kBox);
  tree.Layout(200, 100);
  TextBox& box = BoxOf(tree);
  box.SetText(u"abc");
  const std::int32_t text_left = 10 + 8;
  // "c" spans 14..21; its middle counts from 21 - 7 / 2 = 18.
  Press(tree, box, text_left + 19, 15);
  EXPECT_EQ(box.selection().caret, 3u);
  Press(tree, box, text_left + 18, 15);
  EXPECT_EQ(box.selection().caret, 2u);
  Press(tree, box, text_left + 90, 15);
  EXPECT_EQ(box.selection().caret, 3u);
  Press(tree, box, 0, 15);
  EXPECT_EQ(box.selection().caret, 0u);
}

TEST_F(TextInput, DragBeyondTheRightEdgeScrollsAtMost20CharactersASecond) {
  AttachedTree tree(kBox);
  tree.Layout(200, 100);
  TextBox& box = BoxOf(tree);
  box.SetText(std::u16string(100, u'x'));
  box.Select(0, 0);  // scrolled back to the start
  g_ticks = 5000;
  Press(tree, box, 12, 15);  // inside the left margin: caret 0
  ASSERT_EQ(box.selection().caret, 0u);
  for (int ms = 0; ms < 1000; ms += 5) {
    g_ticks = 5000 + static_cast<std::uint32_t>(ms);
    MoveTo(tree, box, 150, 15);
  }
  EXPECT_EQ(box.selection().caret, 20u);
  EXPECT_EQ(box.selection().anchor, 0u);
  // Back inside: the caret follows the mouse at once, the anchor stays.
  MoveTo(tree, box, 18 + 2 * kTextCharWidth, 15);
  EXPECT_EQ(box.selection().anchor, 0u);
  EXPECT_LT(box.selection().caret, 20u);
  // Without the button nothing moves.
  box.SetFlag(ControlFlags::Pressed, false);
  const std::size_t before = box.selection().caret;
  g_ticks += 500;
  MoveTo(tree, box, 150, 15);
  EXPECT_EQ(box.selection().caret, before);
}

TEST_F(TextInput, TextBoxPaintsTheSelectionInWhiteOverTheBrush) {
  AttachedTree tree(kBox);
  tree.Layout(200, 100);
  TextBox& box = BoxOf(tree);
  box.SetText(u"abcd");
  box.Select(1, 3);
  testing::RecordingPainter painter;
  const Rect r = box.GetWindowRect();
  box.Paint(painter, r, r);
  const std::vector<std::string> want{
      "save",
      "clip 18,10,102,30",
      "text abcd 18,10,47,30 colour=666666 format=824",
      "clip 25,10,39,30",
      "fill 25,10,39,30 ff9933",
      "text abcd 18,10,47,30 colour=ffffff format=824",
      "restore",
  };
  EXPECT_EQ(painter.log, want);
}

TEST_F(TextInput, SetCursorShowsTheIBeam) {
  AttachedTree tree(kBox);
  tree.Layout(200, 100);
  EXPECT_EQ(Raise(BoxOf(tree), EventKind::SetCursor), 1);
  EXPECT_EQ(state_.text_cursor_shown, 1);
}

// The editor: 80 wide, so 70 px of text (10 characters) per line; 70 high.
std::u16string Lines(int n) {
  std::u16string text;
  for (int i = 0; i < n; ++i) {
    if (i) text += u"\r\n";
    text += u"line" + utf8_to_utf16(std::to_string(i));
  }
  return text;
}

TEST_F(TextInput, WheelScrollsThreeLinesOnlyWhileFocused) {
  AttachedTree tree(kEdit);
  tree.Layout(200, 200);
  Edit& edit = EditOf(tree);
  edit.SetText(Lines(20));
  const std::intptr_t notch_down = static_cast<std::intptr_t>(static_cast<std::uint32_t>(-120 & 0xFFFF) << 16);
  EXPECT_EQ(Raise(edit, EventKind::MouseWheel, notch_down), 0);
  EXPECT_EQ(edit.first_visible(), 0u);
  Focus(tree, edit);
  EXPECT_EQ(Raise(edit, EventKind::MouseWheel, notch_down), 1);
  EXPECT_EQ(edit.first_visible(), 3u);
  EXPECT_FALSE(tree.window().caret_shown);  // the caret's line scrolled away
  for (int i = 0; i < 10; ++i) Raise(edit, EventKind::MouseWheel, notch_down);
  EXPECT_EQ(edit.first_visible(), 19u);  // clamped to the last line
  Raise(edit, EventKind::MouseWheel, static_cast<std::intptr_t>(240 << 16));
  EXPECT_EQ(edit.first_visible(), 13u);
}

TEST_F(TextInput, EditWrapsByWidthAndAgainWhenTheWidthChanges) {
  AttachedTree tree(R"(<Grid><Edit id="2"/></Grid>)");
  tree.Layout(80, 70);
  Edit& edit = EditOf(tree);
  edit.SetText(u"abcdefghijklmnopqrstuvwxyz\r\nend");
  ASSERT_EQ(edit.lines().count(), 4u);  // 10 + 10 + 6, then "end"
  EXPECT_EQ(edit.lines()[1].start, 10u);
  EXPECT_EQ(edit.lines()[3].start, 28u);
  tree.Layout(150, 70);  // 140 px: 20 characters
  ASSERT_EQ(edit.lines().count(), 3u);
  EXPECT_EQ(edit.lines()[1].start, 20u);
}

TEST_F(TextInput, EnterInsertsCrLfAndBackspaceAndArrowsTakeItAsOne) {
  AttachedTree tree(kEdit);
  tree.Layout(200, 200);
  Edit& edit = EditOf(tree);
  edit.SetText(u"ab");
  Raise(edit, EventKind::KeyDown, 35);  // End
  Raise(edit, EventKind::KeyPress, 13);
  Type(edit, u"c");
  EXPECT_EQ(edit.GetText(), u"ab\r\nc");
  EXPECT_EQ(edit.lines().count(), 2u);
  Raise(edit, EventKind::KeyDown, 37);
  EXPECT_EQ(edit.selection().caret, 4u);
  Raise(edit, EventKind::KeyDown, 37);
  EXPECT_EQ(edit.selection().caret, 2u);
  Raise(edit, EventKind::KeyDown, 39);
  EXPECT_EQ(edit.selection().caret, 4u);
  Raise(edit, EventKind::KeyDown, 8);
  EXPECT_EQ(edit.GetText(), u"abc");
  EXPECT_EQ(edit.lines().count(), 1u);
  Type(edit, u"\x01");  // below 32: ignored
  EXPECT_EQ(edit.GetText(), u"abc");
}

TEST_F(TextInput, UpAndDownKeepThePreferredX) {
  AttachedTree tree(kEdit);
  tree.Layout(200, 200);
  Edit& edit = EditOf(tree);
  edit.SetText(u"abcdefgh\r\nab\r\nabcdefgh");
  Raise(edit, EventKind::KeyDown, 35);
  // End puts the caret after the last "h" (x = 56); the short line clamps it.
  Raise(edit, EventKind::KeyDown, 38);
  EXPECT_EQ(edit.selection().caret, 12u);
  Raise(edit, EventKind::KeyDown, 38);
  EXPECT_EQ(edit.selection().caret, 8u);
  Raise(edit, EventKind::KeyDown, 38);  // the first line: stays
  EXPECT_EQ(edit.selection().caret, 8u);
  Raise(edit, EventKind::KeyDown, 40);
  Raise(edit, EventKind::KeyDown, 40);
  EXPECT_EQ(edit.selection().caret, 22u);
}

TEST_F(TextInput, PageKeysHomeEndAndEscape) {
  AttachedTree tree(kEdit);
  tree.Layout(200, 200);
  Edit& edit = EditOf(tree);
  edit.SetText(Lines(30));
  const std::size_t page = edit.PageLines();
  ASSERT_EQ(page, static_cast<std::size_t>((70 - 5) / edit.line_height()));
  Raise(edit, EventKind::KeyDown, 34);
  EXPECT_EQ(edit.first_visible(), page);
  EXPECT_EQ(edit.lines().LineOf(edit.selection().caret), page);
  Raise(edit, EventKind::KeyDown, 33);
  Raise(edit, EventKind::KeyDown, 33);
  EXPECT_EQ(edit.first_visible(), 0u);
  EXPECT_EQ(edit.selection().caret, 0u);
  Raise(edit, EventKind::KeyDown, 35);
  EXPECT_EQ(edit.first_visible(), 29u);
  EXPECT_EQ(edit.selection().caret, edit.text().size());
  edit.Select(3, 9);
  Raise(edit, EventKind::KeyDown, 27);
  EXPECT_TRUE(edit.selection().empty());
  EXPECT_EQ(edit.selection().caret, 9u);
  Raise(edit, EventKind::KeyDown, 36);
  EXPECT_EQ(edit.first_visible(), 0u);
  EXPECT_EQ(edit.selection().caret, 0u);
}

TEST_F(TextInput, EditPasteKeepsControlCharactersAndClickFindsTheLine) {
  AttachedTree tree(kEdit);
  tree.Layout(200, 200);
  Edit& edit = EditOf(tree);
  state_.clipboard = u"a\tb\r\nc";
  Shortcut(edit, kCtrlV);
  EXPECT_EQ(edit.GetText(), u"a\tb\r\nc");
  const std::int32_t lh = edit.line_height();
  Press(tree, edit, 5 + 30, 5 + lh + 1);  // second line, right of "c"
  EXPECT_EQ(edit.selection().caret, 6u);
  Press(tree, edit, 5 + 2, 69);  // below the last line: clamped to it
  EXPECT_EQ(edit.selection().caret, 5u);
  Press(tree, edit, 5 + 8, 6);
  MoveTo(tree, edit, 5 + 30, 5 + lh + 1);
  EXPECT_EQ(edit.selection().anchor, 1u);
  EXPECT_EQ(edit.selection().caret, 6u);
  Shortcut(edit, kCtrlC);
  EXPECT_EQ(*state_.clipboard, u"\tb\r\nc");
}

TEST_F(TextInput, EditShortcutsNeedCtrlAndOnlyCutAndPasteScrollToTheCaret) {
  AttachedTree tree(kEdit);
  tree.Layout(200, 200);
  Edit& edit = EditOf(tree);
  edit.SetText(Lines(20));
  Focus(tree, edit);
  EXPECT_EQ(Raise(edit, EventKind::KeyDown, kCtrlA), 1);  // Ctrl up: an ordinary key, handled and ignored
  EXPECT_TRUE(edit.selection().empty());
  Shortcut(edit, kCtrlA);
  EXPECT_EQ(edit.selection().anchor, 0u);
  EXPECT_EQ(edit.selection().caret, edit.text().size());
  EXPECT_EQ(edit.first_visible(), 0u);  // selecting all leaves the view where it was
  edit.Select(0, 5);
  const std::intptr_t notch_down = static_cast<std::intptr_t>(static_cast<std::uint32_t>(-120 & 0xFFFF) << 16);
  Raise(edit, EventKind::MouseWheel, notch_down);
  ASSERT_EQ(edit.first_visible(), 3u);
  Shortcut(edit, kCtrlC);
  EXPECT_EQ(*state_.clipboard, u"line0");
  EXPECT_EQ(edit.first_visible(), 3u);
  Shortcut(edit, kCtrlX);
  EXPECT_EQ(edit.GetText(), Lines(20).substr(5));
  EXPECT_EQ(edit.first_visible(), 0u);  // back to the caret on the first line
  Raise(edit, EventKind::MouseWheel, notch_down);
  state_.clipboard_locked = true;
  Shortcut(edit, kCtrlV);  // refused, yet the caret comes back into view
  EXPECT_EQ(edit.GetText(), Lines(20).substr(5));
  EXPECT_EQ(edit.first_visible(), 0u);
}

TEST_F(TextInput, EditDrawsTabsAsFourSpaces) {
  AttachedTree tree(kEdit);
  tree.Layout(200, 200);
  Edit& edit = EditOf(tree);
  edit.SetText(u"a\tb");
  testing::RecordingPainter painter;
  const Rect r = edit.GetWindowRect();
  edit.Paint(painter, r, r);
  ASSERT_GE(painter.log.size(), 3u);
  EXPECT_EQ(painter.log[2].rfind("text a    b 5,5,", 0), 0u) << painter.log[2];
}

TEST_F(TextInput, EditBeyond200000LinesStopsWrappingAtTheLimit) {
  AttachedTree tree(kEdit);
  tree.Layout(200, 200);
  Edit& edit = EditOf(tree);
  std::u16string text;
  for (int i = 0; i < 250000; ++i) text += u"x\n";
  edit.SetText(text);
  EXPECT_EQ(edit.lines().count(), VisualLines::kMaxLines);
  EXPECT_EQ(edit.text().size(), text.size());
  Raise(edit, EventKind::KeyDown, 35);  // End: the last shown line, caret at the end of the text
  EXPECT_EQ(edit.first_visible(), VisualLines::kMaxLines - 1);
  Type(edit, u"y");
  EXPECT_EQ(edit.text().size(), text.size() + 1);
  EXPECT_EQ(edit.lines().count(), VisualLines::kMaxLines);
}

TEST(TextInputWithoutRuntime, EditorStillHasItsLines) {
  Edit edit;
  ASSERT_EQ(edit.lines().count(), 1u);  // the empty text's line
  edit.SetText(u"ab\r\ncd");
  EXPECT_EQ(edit.lines().count(), 2u);  // nothing measured: only the hard break
  edit.Select(1, 6);
  EXPECT_EQ(edit.selection().caret, 6u);
}

}  // namespace
}  // namespace vcam::dui
