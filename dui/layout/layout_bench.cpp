// Layout of a large tree and event routing through a deep one.
#include <benchmark/benchmark.h>

#include <string>

#include "dui/core/control.h"
#include "dui/core/panel.h"
#include "dui/testing/layout_text.h"

namespace vcam::dui {
namespace {

// A window of 99 rows of about 100 controls each: a vertical stack of
// horizontal stacks and wrap panels holding buttons, labels and grids with
// margins, sizes and alignments, 10,000 controls in all.
std::string LargeLayout() {
  std::string xml = R"(<Window><StackPanel>)";
  for (int row = 0; row < 99; ++row) {
    const bool wrap = row % 2 == 1;
    xml += wrap ? R"(<WrapPanel margin="2,2,2,2">)" : R"(<StackPanel orientation="horizontal" height="30">)";
    const int leaves = row == 98 ? 99 : 100;
    for (int i = 0; i < leaves; ++i) {
      if (i % 3 == 0)
        xml += R"(<Button width="20" height="20" margin="1,1,1,1" horizontalAlign="center"/>)";
      else if (i % 3 == 1)
        xml += R"(<Label width="15" height="12" verticalAlign="bottom"/>)";
      else
        xml += R"(<Grid width="10" height="10" margin="0,1,0,1"/>)";
    }
    xml += wrap ? "</WrapPanel>" : "</StackPanel>";
  }
  return xml + "</StackPanel></Window>";
}

int CountControls(const Control* c) {
  int n = 1;
  if (c->HasFlag(ControlFlags::Container))
    for (const Control* k = static_cast<const Panel*>(c)->first_child(); k; k = k->next()) n += CountControls(k);
  return n;
}

void BM_BuildLayout10000(benchmark::State& state) {
  const std::string xml = LargeLayout();
  for (auto _ : state) {
    auto root = testing::BuildTree(xml);
    benchmark::DoNotOptimize(root.get());
  }
}
BENCHMARK(BM_BuildLayout10000)->Unit(benchmark::kMillisecond);

void BM_MeasureArrange10000(benchmark::State& state) {
  testing::AttachedTree tree(LargeLayout());
  const int controls = CountControls(tree.root());
  if (controls != 10000) state.SkipWithError("the layout does not have 10,000 controls");
  state.counters["controls"] = controls;
  int width = 1024;
  for (auto _ : state) {
    // Alternate the width so that each pass really re-flows the wrap panels.
    width = width == 1024 ? 1000 : 1024;
    tree.Layout(width, 768);
    benchmark::DoNotOptimize(tree.root()->rect());
  }
}
BENCHMARK(BM_MeasureArrange10000)->Unit(benchmark::kMicrosecond);

void Count(void* c, Control*, EventArgs&) { ++*static_cast<long*>(c); }

// Ten levels of panels with a label at the bottom; one handler per level.
// Argument: the routing (0 Tunnel, 1 Bubble, 2 Direct: the label's handler only).
void BM_RaiseThroughTenLevels(benchmark::State& state) {
  std::string xml;
  for (int i = 0; i < 9; ++i) xml += "<Grid>";
  xml += R"(<Label id="1"/>)";
  for (int i = 0; i < 9; ++i) xml += "</Grid>";
  testing::AttachedTree tree(xml);
  long calls = 0;
  for (Control* c = tree.ById(1); c; c = c->parent()) c->AddHandler(EventKind::MouseMove, &calls, &Count);
  Control* target = tree.ById(1);
  const auto routing = static_cast<Routing>(state.range(0));
  for (auto _ : state) {
    for (int i = 0; i < 1000000; ++i) {
      EventArgs args{EventKind::MouseMove, routing, i, 0, 0};
      target->RaiseEvent(args);
    }
  }
  state.counters["handler_calls"] = static_cast<double>(calls);
  state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_RaiseThroughTenLevels)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vcam::dui
