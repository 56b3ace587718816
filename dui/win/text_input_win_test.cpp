// The text controls in real windows: the system clipboard (a real round trip
// and its failures), GDI widths, focus and caret, keys sent as messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "common/win/wide.h"
#include "dui/controls/edit.h"
#include "dui/controls/text_box.h"
#include "dui/win/clipboard_text.h"
#include "dui/win/gdi_font_measurer.h"
#include "dui/win/window_test_support.h"

namespace vcam::dui {
namespace {

using wintest::HostTest;
using wintest::Pump;

// What the clipboard holds as Unicode text, read with the plain API.
std::u16string RawClipboardText() {
  std::u16string text;
  if (!::OpenClipboard(nullptr)) return u"<cannot open>";
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const char16_t*>(::GlobalLock(data))) {
      text = p;
      ::GlobalUnlock(data);
    }
  } else {
    text = u"<none>";
  }
  ::CloseClipboard();
  return text;
}

void PutRawText(const std::u16string& text) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * 2);
  std::memcpy(::GlobalLock(memory), text.c_str(), (text.size() + 1) * 2);
  ::GlobalUnlock(memory);
  ::SetClipboardData(CF_UNICODETEXT, memory);
  ::CloseClipboard();
}

void SetControlKey(bool down) {
  BYTE keys[256];
  ::GetKeyboardState(keys);
  keys[VK_CONTROL] = down ? 0x80 : 0;
  ::SetKeyboardState(keys);
}

class TextInputWindow : public HostTest {
 protected:
  void TearDown() override {
    SetControlKey(false);
    HostTest::TearDown();
  }
  static void Key(WindowImpl* w, WPARAM key) { ::SendMessageW(w->hwnd(), WM_KEYDOWN, key, 1); }
  static void Ctrl(WindowImpl* w, WPARAM key) {
    SetControlKey(true);
    Key(w, key);
    SetControlKey(false);
  }
  static void Type(WindowImpl* w, std::u16string_view text) {
    for (char16_t c : text) ::SendMessageW(w->hwnd(), WM_CHAR, c, 1);
  }
};

constexpr std::string_view kTwoBoxes = R"(<Grid initSize="300,100">
  <TextBox id="1" width="200" height="24" margin="10,10,0,0" horizontalAlign="left" verticalAlign="top"/>
  <TextBox id="2" width="200" height="24" margin="10,50,0,0" horizontalAlign="left" verticalAlign="top"/>
</Grid>)";

TEST_F(TextInputWindow, ClipboardRoundTripKeepsTheText) {
  const std::u16string text = u"h\u00e9llo \u25CF \u4E2D\u6587";
  ASSERT_TRUE(WriteClipboardText(nullptr, text));
  EXPECT_EQ(RawClipboardText(), text);
  std::u16string back = u"old";
  ASSERT_TRUE(ReadClipboardText(nullptr, back));
  EXPECT_EQ(back, text);
  // Movable, terminated memory of at least the text and its terminator.
  ASSERT_TRUE(::OpenClipboard(nullptr));
  HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  EXPECT_GE(::GlobalSize(data), (text.size() + 1) * sizeof(char16_t));
  ::CloseClipboard();
}

TEST_F(TextInputWindow, ClipboardWithoutTextReadsNothing) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
  std::u16string text = u"untouched";
  EXPECT_FALSE(ReadClipboardText(nullptr, text));
  // Another format only.
  const UINT format = ::RegisterClipboardFormatW(L"VcamTextTestFormat");
  ASSERT_TRUE(::OpenClipboard(nullptr));
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 16);
  ASSERT_NE(::SetClipboardData(format, memory), nullptr);
  ::CloseClipboard();
  EXPECT_FALSE(ReadClipboardText(nullptr, text));
  EXPECT_EQ(text, u"untouched");
}

TEST_F(TextInputWindow, ClipboardHeldOpenElsewhereRefusesBothWays) {
  PutRawText(u"before");
  std::atomic<bool> holding{false}, release{false};
  std::thread holder([&] {
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (::OpenClipboard(owner)) {
      holding = true;
      while (!release) ::Sleep(5);
      ::CloseClipboard();
    }
    holding = true;
    ::DestroyWindow(owner);
  });
  while (!holding) ::Sleep(5);
  std::u16string text = u"untouched";
  EXPECT_FALSE(ReadClipboardText(nullptr, text));
  EXPECT_EQ(text, u"untouched");
  EXPECT_FALSE(WriteClipboardText(nullptr, u"new"));
  release = true;
  holder.join();
  EXPECT_EQ(RawClipboardText(), u"before");
}

TEST_F(TextInputWindow, GdiWidthsComeFromTheFontCopy) {
  HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  GdiFontMeasurer measurer(font);
  ASSERT_NE(measurer.font(), nullptr);
  EXPECT_NE(measurer.font(), font) << "a copy, not the shared font";
  EXPECT_GT(measurer.LineHeight(), 0);
  EXPECT_GT(measurer.Width(u'W'), measurer.Width(u'.'));
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, measurer.font());
  INT dot = 0;
  ::GetCharWidth32W(dc, 0x25CF, 0x25CF, &dot);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  EXPECT_EQ(measurer.Width(kPasswordDot), dot);
}

TEST_F(TextInputWindow, ClickFocusesTypingFillsAndTheCaretFollows) {
  WindowImpl* w = Open(kTwoBoxes);
  ASSERT_NE(w, nullptr);
  auto* box = static_cast<TextBox*>(w->GetChild(1));
  LeftDown(w, 20, 20);
  LeftUp(w, 20, 20);
  ASSERT_TRUE(box->HasFlag(ControlFlags::Focused));
  Type(w, u"abc");
  EXPECT_EQ(box->GetText(), u"abc");
  EXPECT_TRUE(w->caret_shown());
  GdiFontMeasurer measurer(static_cast<HFONT>(UiRuntime::Instance()->GetFont(u"Default")));
  const std::int32_t width = measurer.Width(u'a') + measurer.Width(u'b') + measurer.Width(u'c');
  EXPECT_EQ(w->caret_rect().left, 10 + 8 + width);
  EXPECT_EQ(w->caret_rect().width(), 1);
  Key(w, VK_BACK);
  EXPECT_EQ(box->GetText(), u"ab");
  // Focus goes to the other box: the caret leaves with it.
  LeftDown(w, 20, 60);
  LeftUp(w, 20, 60);
  EXPECT_FALSE(box->HasFlag(ControlFlags::Focused));
  EXPECT_GE(w->caret_rect().top, 50);
}

TEST_F(TextInputWindow, CopyAndPasteGoThroughTheSystemClipboard) {
  WindowImpl* w = Open(kTwoBoxes);
  ASSERT_NE(w, nullptr);
  auto* first = static_cast<TextBox*>(w->GetChild(1));
  auto* second = static_cast<TextBox*>(w->GetChild(2));
  first->SetText(u"copy me");
  PutRawText(u"untouched");
  LeftDown(w, 20, 20);
  LeftUp(w, 20, 20);
  Ctrl(w, 'C');  // nothing selected
  EXPECT_EQ(RawClipboardText(), u"untouched");
  Ctrl(w, 'A');
  EXPECT_FALSE(w->caret_shown()) << "a selection hides the caret";
  Ctrl(w, 'C');
  EXPECT_EQ(RawClipboardText(), u"copy me");
  LeftDown(w, 20, 60);
  LeftUp(w, 20, 60);
  Ctrl(w, 'V');
  EXPECT_EQ(second->GetText(), u"copy me");
  EXPECT_TRUE(first->selection().empty()) << "focus loss collapsed the selection";
  PutRawText(u"a\tb");
  Ctrl(w, 'V');
  EXPECT_EQ(second->GetText(), u"copy mea b");
}

TEST_F(TextInputWindow, WheelScrollsTheEditorOnlyWhileFocused) {
  WindowImpl* w = Open(R"(<Grid initSize="200,100"><Edit id="3"/></Grid>)");
  ASSERT_NE(w, nullptr);
  auto* edit = static_cast<Edit*>(w->GetChild(3));
  std::u16string text;
  for (int i = 0; i < 40; ++i) text += u"line\r\n";
  edit->SetText(text);
  POINT p{50, 50};
  ::ClientToScreen(w->hwnd(), &p);
  ::SetCursorPos(p.x, p.y);
  const WPARAM down = MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA));
  ::SendMessageW(w->hwnd(), WM_MOUSEWHEEL, down, MAKELPARAM(p.x, p.y));
  EXPECT_EQ(edit->first_visible(), 0u);
  LeftDown(w, 50, 50);
  LeftUp(w, 50, 50);
  ASSERT_TRUE(edit->HasFlag(ControlFlags::Focused));
  ::SendMessageW(w->hwnd(), WM_MOUSEWHEEL, down, MAKELPARAM(p.x, p.y));
  EXPECT_EQ(edit->first_visible(), 3u);
  Key(w, VK_HOME);
  Type(w, u"x\r");
  EXPECT_EQ(edit->GetText().substr(0, 3), u"x\r\n");
  EXPECT_TRUE(w->caret_shown());
}

}  // namespace
}  // namespace vcam::dui
