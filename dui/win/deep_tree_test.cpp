// A layout at the loader's nesting limit goes through every recursive walk of
// the toolkit on the main thread, whose stack this test program reserves at
// 1 MB like the product's programs: load, attach, measure, arrange, paint,
// hit test, and destruction while attached.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "dui/core/panel.h"
#include "dui/factory/control_factory.h"
#include "dui/fields/setter_registry.h"
#include "dui/load/layout_loader.h"
#include "dui/load/text_resource.h"
#include "dui/testing/deep_tree.h"
#include "dui/testing/test_window.h"
#include "dui/win/gdi_painter.h"

namespace vcam::dui {
namespace {

constexpr std::uintptr_t kOneMegabyte = 1024 * 1024;

// The calling thread's stack: its top, and the size reserved for it. The
// committed pages run from the current one up to the top.
MEMORY_BASIC_INFORMATION StackRegion() {
  MEMORY_BASIC_INFORMATION info{};
  volatile char here = 0;
  ::VirtualQuery(const_cast<char*>(&here), &info, sizeof(info));
  return info;
}

std::uintptr_t StackTop() {
  const MEMORY_BASIC_INFORMATION info = StackRegion();
  return reinterpret_cast<std::uintptr_t>(info.BaseAddress) + info.RegionSize;
}

std::uintptr_t StackReserve() { return StackTop() - reinterpret_cast<std::uintptr_t>(StackRegion().AllocationBase); }

std::uintptr_t g_lowest = ~std::uintptr_t{0};

void NoteStack() {
  volatile char here = 0;
  g_lowest = std::min(g_lowest, reinterpret_cast<std::uintptr_t>(&here));
}

// The innermost control notes how deep the stack is whenever a walk reaches it.
class StackProbe : public Control {
 public:
  StackProbe() {
    NoteStack();
    AddHandler(EventKind::Attached, nullptr, &Note);
    AddHandler(EventKind::Detached, nullptr, &Note);
  }
  ~StackProbe() override { NoteStack(); }
  void Paint(Painter& painter, const Rect& rect, const Rect& clip) override {
    NoteStack();
    Control::Paint(painter, rect, clip);
  }
  Control* HitTest(std::int32_t x, std::int32_t y) override {
    NoteStack();
    return Control::HitTest(x, y);
  }
  Size MeasureOverride(std::int32_t, std::int32_t) override {
    NoteStack();
    return {10, 10};
  }
  Size ArrangeOverride(std::int32_t w, std::int32_t h) override {
    NoteStack();
    return Control::ArrangeOverride(w, h);
  }

 private:
  static void Note(void*, Control*, EventArgs&) { NoteStack(); }
};

// Stack used since the last call, from the top of the stack.
std::uintptr_t TakeUsed() {
  const std::uintptr_t used = StackTop() - g_lowest;
  g_lowest = ~std::uintptr_t{0};
  return used;
}

TEST(DeepTree, EveryWalkAtTheNestingLimitFitsTheMainThreadStack) {
  ASSERT_LE(StackReserve(), kOneMegabyte) << "the test must run on a 1 MB stack";
  // Room left for what the product calls around a walk (message dispatch,
  // window procedures, GDI).
  const std::uintptr_t budget = kOneMegabyte - 256 * 1024;

  const SetterRegistry setters = SetterRegistry::Standard();
  const ControlFactory factory = ControlFactory::Standard();
  ControlCreatorMap probes;
  probes[u"Probe"] = MakeControlCreator<StackProbe>();
  const LayoutLoader loader(setters, factory, probes);

  TakeUsed();
  std::unique_ptr<Control> root = loader.LoadLayoutText(DecodeTextResource(testing::DeepLayout(256, "Probe")));
  ASSERT_TRUE(root);
  ASSERT_EQ(testing::TreeDepth(*root), 256);
  Control* leaf = root.get();
  while (leaf->HasFlag(ControlFlags::Container)) leaf = static_cast<Panel*>(leaf)->first_child();
  const std::uintptr_t load = TakeUsed();

  testing::TestWindow window;
  root->Attach(&window);
  const std::uintptr_t attach = TakeUsed();
  root->Measure(400, 300);
  const std::uintptr_t measure = TakeUsed();
  root->Arrange(0, 0, 400, 300);
  const std::uintptr_t arrange = TakeUsed();

  HDC dc = ::CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  {
    GdiPainter painter(dc, false);
    root->Paint(painter, {0, 0, 400, 300}, {0, 0, 400, 300});
  }
  ::DeleteDC(dc);
  const std::uintptr_t paint = TakeUsed();

  const Rect r = leaf->GetWindowRect();
  EXPECT_EQ(root->HitTest(r.left + 5, r.top + 5), leaf);
  const std::uintptr_t hit = TakeUsed();

  root.reset();  // while attached: the window hears of every control
  const std::uintptr_t destroy = TakeUsed();
  EXPECT_EQ(window.removed.size(), 256u);

  std::printf("stack used (bytes): load %u attach %u measure %u arrange %u paint %u hit %u destroy %u\n",
              unsigned(load), unsigned(attach), unsigned(measure), unsigned(arrange), unsigned(paint),
              unsigned(hit), unsigned(destroy));
  for (std::uintptr_t used : {load, attach, measure, arrange, paint, hit, destroy}) {
    EXPECT_GT(used, 0u) << "the walk reached the innermost control";
    EXPECT_LT(used, budget);
  }
}

}  // namespace
}  // namespace vcam::dui
