#include <gtest/gtest.h>

#include <vector>

#include "dui/core/delegate.h"

namespace vcam::dui {
namespace {

void Handler(void*, Control*, EventArgs&) {}

TEST(DelegatePool, RecordsComeFromThePoolAndReturnToItsFreeList) {
  const std::size_t before = DelegatePool::InUse();
  int context = 0;
  Delegate* first = nullptr;
  {
    DelegatePtr d = MakeDelegate(&context, &Handler);
    first = d.get();
    EXPECT_TRUE(DelegatePool::InPool(first));
    EXPECT_EQ(d->context, &context);
    EXPECT_EQ(d->function, &Handler);
    EXPECT_EQ(DelegatePool::InUse(), before + 1);
  }
  EXPECT_EQ(DelegatePool::InUse(), before);
  DelegatePtr again = MakeDelegate(nullptr, &Handler);
  EXPECT_EQ(again.get(), first) << "a released slot is the next one handed out";
}

TEST(DelegatePool, ExhaustedPoolFallsBackToTheHeapAndRecoversAfterwards) {
  const std::size_t start = DelegatePool::InUse();
  std::vector<DelegatePtr> held;
  const std::size_t free_slots = DelegatePool::kSlots - DelegatePool::InUse();
  held.reserve(free_slots + 2);
  for (std::size_t i = 0; i < free_slots; ++i) held.push_back(MakeDelegate(nullptr, &Handler));
  EXPECT_EQ(DelegatePool::InUse(), DelegatePool::kSlots);
  DelegatePtr heap = MakeDelegate(nullptr, &Handler);
  EXPECT_FALSE(DelegatePool::InPool(heap.get()));
  EXPECT_EQ(heap->function, &Handler);
  heap.reset();  // back to the heap (ASan checks the free)
  Delegate* slot = held.back().get();
  held.pop_back();
  DelegatePtr reused = MakeDelegate(nullptr, &Handler);
  EXPECT_EQ(reused.get(), slot);
  held.clear();
  reused.reset();
  EXPECT_EQ(DelegatePool::InUse(), start);
}

}  // namespace
}  // namespace vcam::dui
