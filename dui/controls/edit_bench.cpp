// The editor with a megabyte of text: setting and wrapping it, one keystroke
// in its middle (re-wrap and repaint), a page of scrolling, a megabyte paste.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "dui/controls/edit.h"
#include "dui/core/painter.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/testing/layout_text.h"
#include "dui/testing/test_platform.h"

namespace vcam::dui {
namespace {

// Takes the drawing calls and drops them: the benchmark measures the editor.
class NullPainter : public Painter {
 public:
  void Save() override {}
  void Restore() override {}
  void IntersectClip(const Rect&) override {}
  bool IsLayered() const override { return false; }
  void* NativeContext() override { return nullptr; }
  void DrawImage(const Texture&, const Rect&, const Rect&) override {}
  void DrawText(std::u16string_view text, FontHandle, std::uint32_t, std::uint32_t, const Rect&, bool) override {
    drawn += text.size();
  }
  Size MeasureText(std::u16string_view, FontHandle, std::uint32_t) override { return {}; }
  void FillRect(const Rect&, std::uint32_t) override {}
  std::size_t drawn = 0;
};

// 1 MiB of prose: paragraphs of about 100 characters ending in CR LF.
std::u16string Megabyte() {
  const std::u16string words = u"the quick brown fox jumps over the lazy dog while a camera frame goes by ";
  std::u16string text;
  text.reserve(1 << 20);
  std::size_t in_paragraph = 0;
  while (text.size() < (1u << 20) - 2) {
    text.push_back(words[text.size() % words.size()]);
    if (++in_paragraph == 100) {
      text += u"\r\n";
      in_paragraph = 0;
    }
  }
  return text;
}

// A runtime of the tests' platform and an editor 400 x 300 in a test window.
class Fixture {
 public:
  Fixture() : tree_(nullptr) {
    Initialize(u"edit_bench", std::make_unique<testing::TestPlatform>(state_));
    tree_ = std::make_unique<testing::AttachedTree>(R"(<Grid><Edit id="1"/></Grid>)");
    tree_->Layout(400, 300);
  }
  ~Fixture() {
    tree_.reset();
    Shutdown();
  }
  Edit& edit() { return *static_cast<Edit*>(tree_->ById(1)); }
  testing::TestPlatformState& state() { return state_; }
  void Paint(NullPainter& painter) {
    const Rect r = edit().GetWindowRect();
    edit().Paint(painter, r, r);
  }
  std::int32_t Raise(std::int32_t kind, std::intptr_t p1) {
    EventArgs args{kind, Routing::Direct, p1, 0, 0};
    edit().RaiseEvent(args);
    return args.handled;
  }

 private:
  testing::TestPlatformState state_;
  std::unique_ptr<testing::AttachedTree> tree_;
};

void BM_EditSetMegabyteAndWrap(benchmark::State& state) {
  Fixture f;
  const std::u16string text = Megabyte();
  for (auto _ : state) {
    f.edit().SetText(text);
    benchmark::DoNotOptimize(f.edit().lines().count());
  }
  state.counters["lines"] = static_cast<double>(f.edit().lines().count());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()) * 2);
}
BENCHMARK(BM_EditSetMegabyteAndWrap)->Unit(benchmark::kMillisecond);

// One typed character in the middle, re-wrapped and repainted: one frame's work.
void BM_EditKeystrokeInMiddle(benchmark::State& state) {
  Fixture f;
  f.edit().SetText(Megabyte());
  const std::size_t middle = f.edit().text().size() / 2;
  f.edit().Select(middle, middle);
  NullPainter painter;
  for (auto _ : state) {
    f.Raise(EventKind::KeyPress, u'x');
    f.Paint(painter);
  }
  state.counters["drawn_chars"] = static_cast<double>(painter.drawn) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_EditKeystrokeInMiddle)->Unit(benchmark::kMicrosecond);

void BM_EditScrollByPage(benchmark::State& state) {
  Fixture f;
  f.edit().SetText(Megabyte());
  NullPainter painter;
  bool down = true;
  std::size_t pages = 0;
  for (auto _ : state) {
    // Down to the end, then back up, so that every page moves.
    f.Raise(EventKind::KeyDown, down ? 34 : 33);
    f.Paint(painter);
    if (++pages == 100) {
      pages = 0;
      down = !down;
    }
  }
}
BENCHMARK(BM_EditScrollByPage)->Unit(benchmark::kMicrosecond);

// A megabyte pasted into a short text: must stay well under a second.
void BM_EditPasteMegabyte(benchmark::State& state) {
  Fixture f;
  f.state().clipboard = Megabyte();
  f.state().control_key = true;
  for (auto _ : state) {
    state.PauseTiming();
    f.edit().SetText(u"start\r\nend");
    f.edit().Select(5, 5);
    state.ResumeTiming();
    f.Raise(EventKind::KeyDown, 'V');
  }
  state.counters["lines"] = static_cast<double>(f.edit().lines().count());
}
BENCHMARK(BM_EditPasteMegabyte)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vcam::dui
