#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "dui/core/control.h"
#include "dui/core/live_control_set.h"

namespace vcam::dui {
namespace {

TEST(LiveControlSet, HashIsFnv1aOverThePointerBytes) {
  // FNV-1a of no bytes is the offset basis; of one zero byte it is basis * prime.
  const void* null = nullptr;
  std::uint32_t expected = 0x811c9dc5u;
  for (std::size_t i = 0; i < sizeof null; ++i) expected = (expected ^ 0u) * 16777619u;
  EXPECT_EQ(LiveControlSet::Hash(null), expected);
  // Little-endian bytes of 0x01: the first byte is 1, the rest 0.
  const void* one = reinterpret_cast<const void*>(std::uintptr_t{1});
  expected = (0x811c9dc5u ^ 1u) * 16777619u;
  for (std::size_t i = 1; i < sizeof one; ++i) expected *= 16777619u;
  EXPECT_EQ(LiveControlSet::Hash(one), expected);
}

TEST(LiveControlSet, MembershipFollowsInsertAndEraseThroughGrowth) {
  const std::size_t before = LiveControlSet::Size();
  std::vector<std::unique_ptr<Control>> controls;
  for (int i = 0; i < 100; ++i) {
    controls.push_back(std::make_unique<Control>());
    LiveControlSet::Insert(controls.back().get());
  }
  EXPECT_EQ(LiveControlSet::Size(), before + 100);
  EXPECT_GE(LiveControlSet::BucketCount(), LiveControlSet::Size()) << "load factor at most 1";
  for (auto& c : controls) EXPECT_TRUE(LiveControlSet::Contains(c.get()));
  for (int i = 0; i < 100; i += 2) LiveControlSet::Erase(controls[i].get());
  for (int i = 0; i < 100; ++i) EXPECT_EQ(LiveControlSet::Contains(controls[i].get()), i % 2 == 1);
  EXPECT_FALSE(LiveControlSet::Contains(nullptr));
  for (int i = 1; i < 100; i += 2) LiveControlSet::Erase(controls[i].get());
  EXPECT_EQ(LiveControlSet::Size(), before);
}

}  // namespace
}  // namespace vcam::dui
