// The window host's window: creation through the hook, sizing from the
// layout, the round-corner region, painting through the back buffer, layered
// flushing, tooltips and the caret.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <string>
#include <vector>

#include "dui/core/attribute_names.h"
#include "dui/core/panel.h"
#include "dui/layout/canvas.h"
#include "dui/win/window_test_support.h"
#include "dui/window/tooltip_buffer.h"

namespace vcam::dui::wintest {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

std::u16string ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  ::GetClassNameW(hwnd, name, 256);
  return std::u16string(name, name + ::wcslen(name));
}

Size ClientSize(HWND hwnd) {
  RECT r{};
  ::GetClientRect(hwnd, &r);
  return {r.right, r.bottom};
}

// A window that says when it is deleted.
class WatchedWindow : public WindowImpl {
 public:
  explicit WatchedWindow(bool* deleted) : deleted_(deleted) {}
  ~WatchedWindow() override { *deleted_ = true; }

 private:
  bool* deleted_;
};

// A fixed-size control placed on a canvas at (x, y).
std::unique_ptr<FilledControl> Filled(COLORREF colour, int x, int y, int width, int height) {
  auto c = std::make_unique<FilledControl>(colour);
  c->SetValue(attr::x, x);
  c->SetValue(attr::y, y);
  c->SetValue(attr::width, width);
  c->SetValue(attr::height, height);
  return c;
}

using Window = HostTest;

TEST_F(Window, CreatedThroughTheHookWithTheRootAttachedBeforeItReturns) {
  WindowImpl* w = Open(R"(<Grid id="1"><Grid id="2" width="645" height="400"/></Grid>)");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(WindowBase::FromHandle(w->hwnd()), w);
  EXPECT_EQ(ClassOf(w->hwnd()), u"dui_window_host_test");
  EXPECT_EQ(::GetClassLongW(w->hwnd(), GCL_STYLE), static_cast<DWORD>(CS_DBLCLKS | CS_OWNDC));
  EXPECT_EQ(::GetClassLongPtrW(w->hwnd(), GCLP_HBRBACKGROUND), 0u);
  ASSERT_NE(w->root(), nullptr);
  EXPECT_TRUE(w->root()->IsLive());
  EXPECT_EQ(w->root()->window(), w);
  EXPECT_EQ(w->GetChild(2)->window(), w);
  EXPECT_EQ(w->NativeHandle(), w->hwnd());

  WindowImpl* second = Open(R"(<Grid/>)");
  ASSERT_NE(second, nullptr);
  const auto& classes = UiRuntime::Instance()->window_classes();
  EXPECT_EQ(std::count(classes.begin(), classes.end(), u"dui_window_host_test"), 1) << "registered once";
}

TEST_F(Window, WithoutInitSizeTheWindowTakesTheDesiredSize) {
  WindowImpl* w = Open(R"(<Grid><Grid width="645" height="400" margin="0,0,20,0"/></Grid>)");
  EXPECT_EQ(ClientSize(w->hwnd()), (Size{665, 400}));
  EXPECT_EQ(w->root()->rect(), (Rect{0, 0, 665, 400}));
  EXPECT_EQ(w->back_buffer().width(), 665);
  EXPECT_EQ(w->back_buffer().height(), 400);
}

TEST_F(Window, InitSizeGivesTheWindowItsSizeWhateverTheContentWants) {
  WindowImpl* w = Open(R"(<Grid initSize="400,300"><Grid width="645" height="500"/></Grid>)");
  EXPECT_EQ(ClientSize(w->hwnd()), (Size{400, 300}));
}

TEST_F(Window, ResizingArrangesTheRootAgain) {
  WindowImpl* w =
      Open(R"(<Grid initSize="400,300"><Grid id="2" width="10" height="10" horizontalAlign="right"/></Grid>)");
  ::SetWindowPos(w->hwnd(), nullptr, 0, 0, 500, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(w->root()->rect(), (Rect{0, 0, 500, 200}));
  EXPECT_EQ(w->GetChild(2)->rect().left, 490);
  EXPECT_EQ(w->back_buffer().width(), 500);
}

TEST_F(Window, RoundCornerClipsTheWindowAndFollowsResizes) {
  WindowImpl* w = Open(R"(<Grid initSize="400,300" roundCorner="8,8"/>)");
  ASSERT_NE(w->round_corner_region(), nullptr);
  HRGN copy = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(::GetWindowRgn(w->hwnd(), copy), ERROR);
  EXPECT_FALSE(::PtInRegion(copy, 0, 0)) << "rounded corner";
  EXPECT_FALSE(::PtInRegion(copy, 399, 299));
  EXPECT_TRUE(::PtInRegion(copy, 399, 150)) << "the +1 makes the last column part of the window";
  EXPECT_TRUE(::PtInRegion(copy, 200, 299));
  EXPECT_TRUE(::PtInRegion(copy, 4, 0));

  ::SetWindowPos(w->hwnd(), nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_NE(::GetWindowRgn(w->hwnd(), copy), ERROR);
  EXPECT_TRUE(::PtInRegion(copy, 450, 150)) << "re-created for the new size";
  EXPECT_FALSE(::PtInRegion(copy, 499, 0));
  ::DeleteObject(copy);

  WindowImpl* square = Open(R"(<Grid initSize="40,30"/>)");
  EXPECT_EQ(square->round_corner_region(), nullptr);
}

TEST_F(Window, TooltipIsATrackingToolOwnedByTheWindow) {
  WindowImpl* w = Open(R"(<Grid initSize="100,100"/>)");
  HWND tip = w->tooltip_window();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(ClassOf(tip), u"tooltips_class32");
  EXPECT_EQ(::GetWindow(tip, GW_OWNER), w->hwnd());
  EXPECT_TRUE(::GetWindowLongPtrW(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  TOOLINFOW info{};
  info.cbSize = offsetof(TOOLINFOW, lpReserved);
  ASSERT_TRUE(::SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info)));
  EXPECT_EQ(info.uFlags & (TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE), UINT(TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE));
  EXPECT_EQ(info.hwnd, w->hwnd());
  EXPECT_EQ(info.uId, reinterpret_cast<UINT_PTR>(tip));
}

TEST_F(Window, TooltipTextIsCutTo127CharactersForTheTooltip) {
  WindowImpl* w = Open(R"(<Grid initSize="100,100"/>)");
  const std::u16string long_text(300, u'm');
  w->ShowTooltip(long_text);
  EXPECT_EQ(w->tooltip_text(), long_text);
  NMTTDISPINFOW info{};
  info.hdr.hwndFrom = w->tooltip_window();
  info.hdr.code = TTN_GETDISPINFOW;
  info.hinst = ::GetModuleHandleW(nullptr);  // must be cleared
  ::SendMessageW(w->hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  ASSERT_NE(info.lpszText, nullptr);
  EXPECT_EQ(::wcslen(info.lpszText), 127u);
  EXPECT_EQ(info.lpszText, reinterpret_cast<const wchar_t*>(TooltipBuffer::Text()));
  EXPECT_EQ(info.hinst, nullptr);

  NMTTDISPINFOW other{};
  other.hdr.hwndFrom = w->hwnd();  // not from the tooltip
  other.hdr.code = TTN_GETDISPINFOW;
  ::SendMessageW(w->hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&other));
  EXPECT_EQ(other.lpszText, nullptr);
  w->HideTooltip();
  EXPECT_FALSE(::IsWindowVisible(w->tooltip_window()));
}

TEST_F(Window, PaintGoesThroughTheBackBuffer) {
  auto root = std::make_unique<Canvas>();
  root->SetSize(attr::initSize, {100, 80});
  FilledControl* red = static_cast<FilledControl*>(root->AddChild(Filled(kRed, 10, 10, 30, 20)));
  WindowImpl* w = OpenTree(std::move(root));
  ::InvalidateRect(w->hwnd(), nullptr, FALSE);
  ::UpdateWindow(w->hwnd());
  EXPECT_GE(red->paints, 1);
  // DIB pixels are 0x00RRGGBB; GDI leaves the alpha byte at 0.
  EXPECT_EQ(w->back_buffer().Pixel(10, 10) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(w->back_buffer().Pixel(39, 29) & 0xFFFFFF, 0xFF0000u);
  EXPECT_NE(w->back_buffer().Pixel(40, 29) & 0xFFFFFF, 0xFF0000u);

  // WM_PRINTCLIENT paints the whole client into another DC.
  BackBuffer target;
  ASSERT_TRUE(target.Resize(100, 80));
  ::SendMessageW(w->hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target.dc()), PRF_CLIENT);
  EXPECT_EQ(target.Pixel(20, 20) & 0xFFFFFF, 0xFF0000u);
  BackBuffer untouched;
  ASSERT_TRUE(untouched.Resize(100, 80));
  ::SendMessageW(w->hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(untouched.dc()), PRF_NONCLIENT);
  EXPECT_EQ(untouched.Pixel(20, 20), 0u);
}

TEST_F(Window, InvalidatingAControlRepaintsOnlyWhatItCovers) {
  auto root = std::make_unique<Canvas>();
  root->SetSize(attr::initSize, {100, 80});
  FilledControl* left = static_cast<FilledControl*>(root->AddChild(Filled(kRed, 0, 0, 40, 40)));
  FilledControl* right = static_cast<FilledControl*>(root->AddChild(Filled(kBlue, 50, 0, 40, 40)));
  WindowImpl* w = OpenTree(std::move(root));
  ::UpdateWindow(w->hwnd());
  Pump();
  left->paints = right->paints = 0;
  w->Invalidate(right, true);
  EXPECT_EQ(right->paints, 1) << "synchronous: painted before Invalidate returns";
  EXPECT_EQ(left->paints, 0);
  EXPECT_EQ(w->back_buffer().Pixel(60, 10) & 0xFFFFFF, 0x0000FFu);
  std::unique_ptr<Control> gone = static_cast<Panel*>(w->root())->RemoveChild(right);
  w->Invalidate(gone.get(), true);
  EXPECT_EQ(right->paints, 1) << "a detached control is not painted";
}

// Counts the repaint requests waiting in the window's queue, taking them out.
int TakeRepaintRequests(HWND hwnd) {
  const UINT repaint = UiRuntime::Instance()->profile().repaint_message;
  int n = 0;
  MSG msg;
  while (::PeekMessageW(&msg, hwnd, repaint, repaint, PM_REMOVE)) ++n;
  return n;
}

TEST_F(Window, InvalidationsBeforeTheRepaintRunsShareOneRequest) {
  auto root = std::make_unique<Canvas>();
  root->SetSize(attr::initSize, {100, 80});
  FilledControl* left = static_cast<FilledControl*>(root->AddChild(Filled(kRed, 0, 0, 40, 40)));
  FilledControl* right = static_cast<FilledControl*>(root->AddChild(Filled(kBlue, 50, 0, 40, 40)));
  WindowImpl* w = OpenTree(std::move(root));
  Pump();
  left->paints = right->paints = 0;
  w->Invalidate(left, false);
  w->Invalidate(right, false);
  w->Invalidate(left, false);
  EXPECT_EQ(TakeRepaintRequests(w->hwnd()), 1);
  // That one request repaints both: the update region holds what was invalidated.
  ::SendMessageW(w->hwnd(), UiRuntime::Instance()->profile().repaint_message, 0, 0);
  EXPECT_EQ(left->paints, 1);
  EXPECT_EQ(right->paints, 1);
  // Once it ran, the next invalidation asks again.
  w->Invalidate(right, false);
  EXPECT_EQ(TakeRepaintRequests(w->hwnd()), 1);
}

TEST_F(Window, LayeredWindowFlushesOnceBeforeTheTwentyFirstRectIsStored) {
  auto root = std::make_unique<Canvas>();
  root->SetSize(attr::initSize, {420, 100});
  std::vector<FilledControl*> cells;
  for (int i = 0; i < 21; ++i)
    cells.push_back(static_cast<FilledControl*>(root->AddChild(Filled(kRed, i * 20, 0, 10, 10))));
  auto* w = new WindowImpl;
  w->set_layered(true);
  ASSERT_EQ(OpenTree(std::move(root), w), w);
  EXPECT_TRUE(::GetWindowLongPtrW(w->hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_TRUE(w->IsLayered());
  Pump();
  EXPECT_TRUE(w->dirty_rects().empty()) << "the first flush painted the whole tree";
  EXPECT_EQ(cells[0]->paints, 1);
  EXPECT_EQ(w->back_buffer().Pixel(5, 5), 0x00FF0000u) << "GDI fill: colour with alpha 0";

  for (FilledControl* c : cells) c->paints = 0;
  for (int i = 0; i < 20; ++i) w->Invalidate(cells[i], false);
  EXPECT_EQ(w->dirty_rects().size(), 20u);
  for (FilledControl* c : cells) EXPECT_EQ(c->paints, 0) << "nothing painted before the list is full";
  w->Invalidate(cells[20], false);
  ASSERT_EQ(w->dirty_rects().size(), 1u);
  EXPECT_EQ(w->dirty_rects()[0], (Rect{400, 0, 410, 10}));
  for (int i = 0; i < 20; ++i) EXPECT_EQ(cells[i]->paints, 1) << i;
  EXPECT_EQ(cells[20]->paints, 0);
  Pump();
  EXPECT_EQ(cells[20]->paints, 1);
  EXPECT_TRUE(w->dirty_rects().empty());
}

TEST_F(Window, LayeredFlushClearsTheRectToTransparentBeforePainting) {
  auto root = std::make_unique<Canvas>();
  root->SetSize(attr::initSize, {100, 100});
  FilledControl* cell = static_cast<FilledControl*>(root->AddChild(Filled(kRed, 0, 0, 10, 10)));
  auto* w = new WindowImpl;
  w->set_layered(true);
  ASSERT_EQ(OpenTree(std::move(root), w), w);
  Pump();
  cell->SetVisible(false);  // invalidates the cell's rect; nothing paints it now
  Pump();
  EXPECT_EQ(w->back_buffer().Pixel(5, 5), 0u);
}

TEST_F(Window, CaretIsPaintedAndBlinksUntilHidden) {
  const UINT blink = ::GetCaretBlinkTime();
  ::SetCaretBlinkTime(30);
  WindowImpl* w = Open(R"(<Grid initSize="100,60"/>)");
  w->SetCaretSize(2, 16);
  w->ShowCaretAt(10, 5);
  EXPECT_TRUE(w->caret_shown());
  EXPECT_TRUE(w->caret_blinking());
  EXPECT_EQ(w->caret_rect(), (Rect{10, 5, 12, 21}));
  ::UpdateWindow(w->hwnd());
  EXPECT_EQ(w->back_buffer().Pixel(10, 5) & 0xFFFFFF, 0x202020u);
  EXPECT_EQ(w->back_buffer().Pixel(11, 20) & 0xFFFFFF, 0x202020u);
  EXPECT_NE(w->back_buffer().Pixel(12, 5) & 0xFFFFFF, 0x202020u);

  EXPECT_TRUE(PumpUntil([&] { return !w->caret_shown(); })) << "the blink timer hides it";
  EXPECT_TRUE(PumpUntil([&] { return w->caret_shown(); })) << "and shows it again";
  w->HideCaret();
  EXPECT_FALSE(w->caret_shown());
  EXPECT_FALSE(w->caret_blinking());
  Pump();
  EXPECT_FALSE(w->caret_shown()) << "no tick after the timer stopped";
  ::SetCaretBlinkTime(blink);
}

TEST_F(Window, DestroyingTheWindowDetachesTheTreeAndDeletesTheObject) {
  bool deleted = false;
  WindowImpl* w = Open(R"(<Grid><Grid id="2"/></Grid>)", new WatchedWindow(&deleted));
  EventLog log;
  log.Watch(w->GetChild(2), "child", {EventKind::Detached});
  const HWND hwnd = w->hwnd();
  const HWND tip = w->tooltip_window();
  ::DestroyWindow(hwnd);
  EXPECT_TRUE(deleted);
  EXPECT_EQ(WindowBase::FromHandle(hwnd), nullptr);
  EXPECT_FALSE(::IsWindow(tip));
  EXPECT_EQ(log.lines, (Log{"child Detached"})) << "Detached raised while the window went";
}

TEST_F(Window, CenterScreenPutsTheWindowAboveTheMiddle) {
  WindowImpl* w = Open(R"(<Grid initSize="400,300"/>)");
  w->CenterScreen();
  RECT r{};
  ::GetWindowRect(w->hwnd(), &r);
  const int sw = ::GetSystemMetrics(SM_CXSCREEN);
  const int sh = ::GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(r.left, (sw - 400) / 2);
  EXPECT_EQ(r.top, (sh - 300 - 100) / 2);
  EXPECT_EQ(r.right - r.left, 400) << "the size stays";
}

TEST_F(Window, ClientToScreenAndCursorPositionUseTheWindowOrigin) {
  WindowImpl* w = Open(R"(<Grid initSize="100,100"/>)");
  EXPECT_EQ(w->ClientToScreen({5, 6}), (Point{kLeft + 5, kTop + 6}));
  ::SetCursorPos(kLeft + 30, kTop + 40);
  EXPECT_EQ(w->CursorPosition(), (Point{30, 40}));
}

}  // namespace
}  // namespace vcam::dui::wintest
