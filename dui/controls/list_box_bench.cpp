// A list of 10,000 rows: laying it out, and scrolling it by one wheel notch.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "dui/controls/list_box.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/testing/layout_text.h"
#include "dui/testing/test_platform.h"

namespace vcam::dui {
namespace {

constexpr int kRows = 10000;

// A runtime (rows measure their text through it) and a 300 x 400 list of 10,000 rows.
class TenThousandRows {
 public:
  TenThousandRows() {
    Initialize(u"list_bench", std::make_unique<testing::TestPlatform>(state_));
    list_ = static_cast<ListBox*>(tree_.root());
    for (int i = 0; i < kRows; ++i) list_->AddItem(u"row " + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)));
  }
  ~TenThousandRows() { Shutdown(); }
  ListBox* list() const { return list_; }
  testing::AttachedTree& tree() { return tree_; }

 private:
  testing::TestPlatformState state_;
  testing::AttachedTree tree_{"<ListBox/>"};
  ListBox* list_;
};

void BM_ListBoxMeasureArrange10000(benchmark::State& state) {
  TenThousandRows rows;
  int height = 400;
  for (auto _ : state) {
    // Alternate the height so that the panel really arranges again.
    height = height == 400 ? 401 : 400;
    rows.tree().Layout(300, height);
    benchmark::DoNotOptimize(rows.list()->vertical_bar());
  }
  if (!rows.list()->vertical_bar()) state.SkipWithError("no scroll bar");
  state.counters["rows"] = rows.list()->item_count();
}
BENCHMARK(BM_ListBoxMeasureArrange10000)->Unit(benchmark::kMillisecond);

void BM_ListBoxWheelNotch10000(benchmark::State& state) {
  TenThousandRows rows;
  rows.tree().Layout(300, 400);
  Control* target = rows.list()->item_at(0);
  // One notch down, then one back up: each iteration is one notch.
  std::int32_t delta = -120;
  for (auto _ : state) {
    EventArgs wheel{EventKind::MouseWheel, Routing::Bubble,
                    static_cast<std::intptr_t>((static_cast<std::uint32_t>(delta) & 0xFFFFu) << 16), 0, 0};
    target->RaiseEvent(wheel);
    delta = -delta;
    benchmark::DoNotOptimize(rows.list()->scroll_position());
  }
}
BENCHMARK(BM_ListBoxWheelNotch10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vcam::dui
