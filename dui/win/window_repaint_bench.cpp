// What the window host's painting costs in real windows, with the product's
// skin: a full repaint of an uninstaller-sized page of skinned controls, the
// same for a smaller layered window, and a hover change from one button to its
// neighbour through the invalidated rectangles against a full repaint for the
// same change. A hover change should repaint only the two buttons and cost
// under a tenth of a full repaint (the hover benchmarks' `ratio`).
// Hover counters, in milliseconds unless named otherwise: invalidated_ms and
// full_ms (medians of the two paths), mousemove_ms (the WM_MOUSEMOVE of the
// invalidated path alone), move_only_ms (a move that changes no hover),
// repaint_requests (the host's posted repaints run per change).
//
// The skin is the art build's unpacked folder: VCAM_BENCH_SKIN, else the
// folder this program was built beside (VCAM_BENCH_SKIN_DEFAULT).
#include <windows.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/text_utf.h"
#include "common/win/unique_handle.h"
#include "dui/core/control.h"
#include "dui/core/panel.h"
#include "dui/load/folder_file_source.h"
#include "dui/load/memory_file_source.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/win/ui_runtime_win.h"
#include "dui/win/window_impl.h"

namespace vcam::dui {
namespace {

constexpr char kSkinVariable[] = "VCAM_BENCH_SKIN";
constexpr char16_t kRuleFile[] = u"skin_b4ae00";

// The two neighbouring buttons the hover benchmarks move between.
constexpr std::int32_t kLeftButton = 3001;
constexpr std::int32_t kRightButton = 3002;

struct PageSize {
  int width;
  int height;
};
constexpr PageSize kPage{645, 400};
constexpr PageSize kLayeredPage{450, 260};

// A child placed at (x, y) inside the page's grid.
std::string At(int x, int y, int width, int height) {
  return "horizontalAlign=\"left\" verticalAlign=\"top\" margin=\"" + std::to_string(x) + "," + std::to_string(y) +
         ",0,0\" width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\"";
}

// The uninstaller page's shape: accent line, logo, title and close button, an
// illustration with a heading and a note, columns of check boxes with icons,
// radio buttons, a progress bar with its captions, a separator and a row of
// buttons. `columns` x `rows` check boxes, `buttons` buttons in the bottom row.
std::string PageLayout(PageSize size, int columns, int rows, int radios, int buttons) {
  std::string xml = "<Window style=\"background.xml\" width=\"" + std::to_string(size.width) + "\" height=\"" +
                    std::to_string(size.height) + "\"><Grid>";
  xml += "<Seperator style=\"accentline.xml\" " + At(0, 0, size.width, 2) + "/>";
  xml += "<Image src=\"logo_small.png@set_skin_color\" transparent=\"1\" " + At(15, 12, 18, 18) + "/>";
  xml += "<Label text=\"Uninstall\" font=\"Default.Bold\" color=\"#333333\" " + At(42, 11, 200, 20) + "/>";
  xml += "<Button style=\"closebutton.xml\" " + At(size.width - 32, 9, 24, 24) + "/>";
  xml += "<Image src=\"alert_info.png@set_skin_color\" " + At(24, 52, 40, 40) + "/>";
  xml += "<Label text=\"Remove the camera from this computer\" font=\"Default.Big\" color=\"#333333\" " +
         At(80, 52, size.width - 104, 24) + "/>";
  xml += "<Label text=\"Choose what to keep, then press Uninstall.\" color=\"#666666\" " +
         At(80, 78, size.width - 104, 20) + "/>";
  const int column_width = (size.width - 104) / columns;
  for (int row = 0; row < rows; ++row) {
    const int y = 108 + row * 26;
    xml += "<Image src=\"icon_ok.png@set_skin_color\" " + At(56, y + 4, 16, 16) + "/>";
    for (int column = 0; column < columns; ++column)
      xml += "<CheckBox style=\"checkbox.xml\" text=\"Keep item " + std::to_string(row * columns + column + 1) +
             "\" " + At(80 + column * column_width, y, column_width - 8, 24) + "/>";
  }
  const int radio_y = 108 + rows * 26 + 4;
  for (int i = 0; i < radios; ++i) {
    xml += "<RadioButton style=\"radiobutton.xml\" text=\"Option " + std::to_string(i + 1) + "\" " +
           At(80 + i * column_width, radio_y, column_width - 8, 24) + "/>";
    xml += "<Label text=\"note\" color=\"#999999\" " + At(80 + i * column_width + 100, radio_y + 2, 60, 20) + "/>";
  }
  const int progress_y = size.height - 116;
  xml += "<Label text=\"Removing files...\" color=\"#333333\" " + At(24, progress_y, 300, 20) + "/>";
  xml += "<Label text=\"37.50%\" color=\"#333333\" " + At(size.width - 84, progress_y, 60, 20) + "/>";
  xml += "<ProgressBar id=\"2001\" progressbkimg=\"progress_bg.png\" progressbkScaleGrid=\"4,0,4,0\" "
         "progressimg=\"progress_fill.png@set_skin_color\" progressScaleGrid=\"4,0,4,0\" " +
         At(24, progress_y + 26, size.width - 48, 8) + "/>";
  xml += "<Seperator style=\"separator.xml\" " + At(1, size.height - 62, size.width - 2, 1) + "/>";
  // Buttons 96 wide with 8 between, right-aligned; the two hover targets are
  // the leftmost pair.
  const int first_x = size.width - 24 - buttons * 96 - (buttons - 1) * 8;
  for (int i = 0; i < buttons; ++i)
    xml += "<Button id=\"" + std::to_string(kLeftButton + i) + "\" style=\"button.xml\" text=\"Button " +
           std::to_string(i + 1) + "\" " + At(first_x + i * 104, size.height - 46, 96, 30) + "/>";
  return xml + "</Grid></Window>";
}

int CountControls(const Control* c) {
  int n = 1;
  if (c->HasFlag(ControlFlags::Container))
    for (const Control* k = static_cast<const Panel*>(c)->first_child(); k; k = k->next()) n += CountControls(k);
  return n;
}

// Runs what the windows have queued; the number of the host's repaint
// requests among it.
int Pump() {
  const UiRuntime* runtime = UiRuntime::Instance();
  int repaints = 0;
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (runtime && msg.message == runtime->profile().repaint_message) ++repaints;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return repaints;
}

void ParkCursor() { ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1); }

std::filesystem::path SkinFolder() {
  if (const char* from_environment = std::getenv(kSkinVariable); from_environment && *from_environment)
    return std::filesystem::path(utf8_to_utf16(from_environment));
  return std::filesystem::path(utf8_to_utf16(VCAM_BENCH_SKIN_DEFAULT));
}

// The runtime with the product's skin and the benchmark's layouts, for the
// whole run; `error` says why not when it could not start.
class Toolkit {
 public:
  Toolkit() {
    const std::filesystem::path skin = SkinFolder();
    std::error_code code;
    if (!std::filesystem::is_regular_file(skin / "button.xml", code)) {
      error_ = "no skin folder at " + utf16_to_utf8(skin.u16string()) + " (build the host target `art`, or set " + kSkinVariable +
               " to the art build's style_pro folder)";
      return;
    }
    if (!Initialize(std::u16string(u"dui_window_repaint_bench"))) {
      error_ = "the UI toolkit could not start";
      return;
    }
    started_ = true;
    UiRuntime& runtime = *UiRuntime::Instance();
    runtime.SetSkinSource(std::make_unique<FolderFileSource>(skin));
    if (!runtime.LoadRuleFile(kRuleFile)) {
      error_ = "the skin at " + utf16_to_utf8(skin.u16string()) + " has no rule file skin_b4ae00";
      return;
    }
    auto layouts = std::make_unique<MemoryFileSource>();
    layouts->Put(u"page.xml", PageLayout(kPage, 3, 4, 3, 5));
    layouts->Put(u"layered_page.xml", PageLayout(kLayeredPage, 2, 2, 0, 3));
    runtime.SetLayoutSource(std::move(layouts));
  }
  ~Toolkit() {
    if (started_) Shutdown();
  }
  const std::string& error() const { return error_; }

 private:
  bool started_ = false;
  std::string error_;
};

Toolkit& TheToolkit() {
  static Toolkit toolkit;
  return toolkit;
}

// Stops the benchmark with `why`, also on stderr where a table would hide it.
void Refuse(benchmark::State& state, const std::string& why) {
  std::fprintf(stderr, "dui_window_repaint_bench: %s\n", why.c_str());
  state.SkipWithError(why.c_str());
}

// One shown, unactivated window with a page; destroyed (with its object) at the end.
class Page {
 public:
  Page(benchmark::State& state, bool layered) {
    Toolkit& toolkit = TheToolkit();
    if (!toolkit.error().empty()) {
      Refuse(state, toolkit.error());
      return;
    }
    const PageSize size = layered ? kLayeredPage : kPage;
    std::unique_ptr<Control> root = UiRuntime::Instance()->LoadLayout(layered ? u"layered_page.xml" : u"page.xml");
    if (!root) {
      Refuse(state, "the benchmark's layout did not load");
      return;
    }
    controls_ = CountControls(root.get());
    ParkCursor();
    window_ = new WindowImpl;
    window_->set_layered(layered);
    window_->SetRoot(std::move(root));
    if (!window_->Create(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP, 0, 0, 0, 0, nullptr)) {
      delete window_;
      window_ = nullptr;
      Refuse(state, "the window could not be created");
      return;
    }
    hwnd_ = window_->hwnd();
    // Not activated: Wine without a window manager waits for an active window
    // to be withdrawn when it is destroyed.
    ::SetWindowPos(hwnd_, HWND_TOPMOST, 40, 40, size.width, size.height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Pump();
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    if (client.right != size.width || client.bottom != size.height) {
      Refuse(state, "the window is " + std::to_string(client.right) + " x " + std::to_string(client.bottom) +
                      " instead of " + std::to_string(size.width) + " x " + std::to_string(size.height));
      return;
    }
    if (!window_->back_buffer().valid()) {
      Refuse(state, "the window has no back buffer");
      return;
    }
    ok_ = true;
  }
  ~Page() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
    ParkCursor();
    Pump();
  }
  Page(const Page&) = delete;
  Page& operator=(const Page&) = delete;

  bool ok() const { return ok_; }
  WindowImpl& window() { return *window_; }
  HWND hwnd() const { return hwnd_; }
  int controls() const { return controls_; }
  Rect client() const {
    RECT r{};
    ::GetClientRect(hwnd_, &r);
    return {r.left, r.top, r.right, r.bottom};
  }

  // Every pixel painted again, as the host does it for its kind of window.
  void FullRepaint() {
    if (window_->IsLayered()) {
      window_->AddDirtyRect(client());
      window_->FlushLayered();
    } else {
      ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
  }

  // Moves the real cursor and the window's hover onto the control's centre.
  // The window invalidates what changed and posts itself its repaint.
  void HoverOnto(const Control& control) {
    const Rect r = control.GetWindowRect();
    POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    const LPARAM lparam = MAKELPARAM(at.x, at.y);
    ::ClientToScreen(hwnd_, &at);
    ::SetCursorPos(at.x, at.y);
    ::SendMessageW(hwnd_, WM_MOUSEMOVE, 0, lparam);
  }

 private:
  WindowImpl* window_ = nullptr;
  HWND hwnd_ = nullptr;
  int controls_ = 0;
  bool ok_ = false;
};

void BM_FullRepaint(benchmark::State& state) {
  Page page(state, state.range(0) != 0);
  if (!page.ok()) return;
  page.FullRepaint();
  for (auto _ : state) page.FullRepaint();
  const Rect c = page.client();
  state.counters["controls"] = page.controls();
  state.counters["window_px"] = static_cast<double>(c.width()) * c.height();
  state.SetLabel(page.window().IsLayered() ? "layered 450x260" : "ordinary 645x400");
}
BENCHMARK(BM_FullRepaint)->ArgName("layered")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// A layered window's flush with nothing dirty: what UpdateLayeredWindow of
// the whole window costs on its own, which every flush pays.
void BM_LayeredFlushNothingDirty(benchmark::State& state) {
  Page page(state, true);
  if (!page.ok()) return;
  page.window().FlushLayered();
  for (auto _ : state) page.window().FlushLayered();
  state.SetLabel("layered 450x260");
}
BENCHMARK(BM_LayeredFlushNothingDirty)->Unit(benchmark::kMillisecond)->UseRealTime();

// The region covered by `rects`.
UniqueGdiObject RegionOf(std::initializer_list<Rect> rects) {
  UniqueGdiObject all(::CreateRectRgn(0, 0, 0, 0));
  for (const Rect& r : rects) {
    UniqueGdiObject one(::CreateRectRgn(r.left, r.top, r.right, r.bottom));
    ::CombineRgn(static_cast<HRGN>(all.get()), static_cast<HRGN>(all.get()), static_cast<HRGN>(one.get()), RGN_OR);
  }
  return all;
}

// What the window will repaint for the change it was just told of: the
// dirty list of a layered window, the update region of an ordinary one.
UniqueGdiObject PendingRegion(Page& page) {
  UniqueGdiObject pending(::CreateRectRgn(0, 0, 0, 0));
  if (page.window().IsLayered()) {
    for (const Rect& r : page.window().dirty_rects()) {
      UniqueGdiObject one(::CreateRectRgn(r.left, r.top, r.right, r.bottom));
      ::CombineRgn(static_cast<HRGN>(pending.get()), static_cast<HRGN>(pending.get()), static_cast<HRGN>(one.get()),
                   RGN_OR);
    }
  } else {
    ::GetUpdateRgn(page.hwnd(), static_cast<HRGN>(pending.get()), FALSE);
  }
  return pending;
}

bool NothingPending(Page& page) {
  if (page.window().IsLayered()) return page.window().dirty_rects().empty();
  RECT r{};
  return !::GetUpdateRect(page.hwnd(), &r, FALSE);
}

enum class HoverRepaint { Invalidated, Full };

// One hover change to `to` and its repaint: the window's own posted repaint of
// what it invalidated, or every pixel for the same change.
// Returns the number of repaint requests the window ran.
int RepaintAfterHover(Page& page, HoverRepaint how) {
  if (how == HoverRepaint::Full) {
    if (page.window().IsLayered())
      page.window().AddDirtyRect(page.client());
    else
      ::RedrawWindow(page.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  return Pump();
}

int HoverChange(Page& page, const Control& to, HoverRepaint how) {
  page.HoverOnto(to);
  return RepaintAfterHover(page, how);
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Hover moving between two neighbouring buttons. Timed: the invalidated-rect
// path (range(1) == 0) or a full repaint for the same change (range(1) == 1).
// Both are also measured side by side for `ratio` (invalidated / full).
void BM_HoverChange(benchmark::State& state) {
  Page page(state, state.range(0) != 0);
  if (!page.ok()) return;
  const Control* buttons[2] = {page.window().GetChild(kLeftButton), page.window().GetChild(kRightButton)};
  if (!buttons[0] || !buttons[1]) return Refuse(state, "the page lacks its two hover buttons");
  const Rect a = buttons[0]->GetWindowRect();
  const Rect b = buttons[1]->GetWindowRect();

  // Settle on the left button, then check that each direction of the change
  // invalidates the two buttons' rectangles and nothing else.
  HoverChange(page, *buttons[0], HoverRepaint::Invalidated);
  const UniqueGdiObject expected = RegionOf({a, b});
  for (int step = 1; step <= 2; ++step) {
    page.HoverOnto(*buttons[step % 2]);
    if (page.window().hovered_control() != buttons[step % 2])
      return Refuse(state, "the hover did not move to the neighbouring button");
    const UniqueGdiObject pending = PendingRegion(page);
    if (!::EqualRgn(static_cast<HRGN>(pending.get()), static_cast<HRGN>(expected.get()))) {
      RECT box{};
      ::GetRgnBox(static_cast<HRGN>(pending.get()), &box);
      const std::string why = "a hover change invalidates more or less than the two buttons (pending box " +
                              std::to_string(box.left) + "," + std::to_string(box.top) + " - " +
                              std::to_string(box.right) + "," + std::to_string(box.bottom) + ")";
      return Refuse(state, why);
    }
    Pump();
    if (!NothingPending(page)) return Refuse(state, "the posted repaint left invalid rectangles behind");
  }

  const HoverRepaint timed = state.range(1) ? HoverRepaint::Full : HoverRepaint::Invalidated;
  int next = 1;
  std::int64_t repaints = 0;
  for (auto _ : state) {
    repaints += HoverChange(page, *buttons[next], timed);
    next ^= 1;
  }
  if (!NothingPending(page)) return Refuse(state, "a hover change was left unpainted");

  // Both paths over the same changes for the ratio, in alternating runs of
  // ten so that one path's deferred drawing is seldom charged to the other;
  // medians, since other processes share the machine.
  constexpr int kRuns = 12;
  constexpr int kRunLength = 10;
  std::vector<double> samples[3];
  std::vector<double> handling;  // the WM_MOUSEMOVE alone, on the invalidated path
  auto sample = [&](HoverRepaint how, const Control& to, std::vector<double>& into) {
    LARGE_INTEGER from, moved, until;
    ::QueryPerformanceCounter(&from);
    page.HoverOnto(to);
    ::QueryPerformanceCounter(&moved);
    RepaintAfterHover(page, how);
    ::QueryPerformanceCounter(&until);
    into.push_back(Seconds(from, until) * 1000);
    if (&into == &samples[0]) handling.push_back(Seconds(from, moved) * 1000);
  };
  for (int run = 0; run < kRuns; ++run)
    for (HoverRepaint how : {HoverRepaint::Full, HoverRepaint::Invalidated})
      for (int i = 0; i < kRunLength; ++i) {
        sample(how, *buttons[next], samples[how == HoverRepaint::Full]);
        next ^= 1;
      }
  // What a mouse move costs that changes nothing: the floor under the
  // invalidated path (cursor, message, hit test, no repaint).
  for (int i = 0; i < kRuns * kRunLength; ++i) sample(HoverRepaint::Invalidated, *buttons[next ^ 1], samples[2]);
  const double invalidated = Median(samples[0]);
  const double full = Median(samples[1]);
  const Rect c = page.client();
  state.counters["invalidated_ms"] = invalidated;
  state.counters["full_ms"] = full;
  state.counters["move_only_ms"] = Median(samples[2]);
  state.counters["mousemove_ms"] = Median(handling);
  state.counters["repaint_requests"] =
      state.iterations() ? static_cast<double>(repaints) / static_cast<double>(state.iterations()) : 0;
  state.counters["ratio"] = full > 0 ? invalidated / full : 0;
  state.counters["repainted_px"] = static_cast<double>(a.width()) * a.height() + static_cast<double>(b.width()) * b.height();
  state.counters["window_px"] = static_cast<double>(c.width()) * c.height();
  state.SetLabel(std::string(page.window().IsLayered() ? "layered" : "ordinary") +
                 (timed == HoverRepaint::Full ? ", full repaint" : ", invalidated rects"));
}
BENCHMARK(BM_HoverChange)
    ->ArgNames({"layered", "full"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace vcam::dui
