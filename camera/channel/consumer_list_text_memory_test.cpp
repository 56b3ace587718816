// The filter module adds and removes its host under the loader lock, where
// nothing may throw: the list text does that work without allocating. The
// program's own operator new counts what is asked for while a test watches.
#include "camera/channel/consumer_list_text.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

#include "common/testing/allocation_watch.h"

namespace vcam::camera {
namespace {

using vcam::testing::AllocationWatch;

TEST(ConsumerListTextMemory, AddRemoveAndStoreAllocateNothing) {
  std::array<char16_t, kListCapacity> region{};
  const std::u16string_view start = u";;C:\\x.exe;C:\\a.exe;;D:\\y.exe;C:\\b.exe";
  std::copy(start.begin(), start.end(), region.begin());
  // Paths longer than any small-string buffer, so a copy would allocate.
  const std::u16string_view host = u"C:\\Program Files\\Some Vendor\\Some Program\\host.exe";
  const std::u16string_view other = u"C:\\x.exe";
  long allocations = -1;
  {
    AllocationWatch count;
    ConsumerListText text(region);
    text.add(host);
    text.remove(other);
    text.remove(host);
    text.store(region);
    allocations = count.Stop();
  }
  EXPECT_EQ(allocations, 0);
  EXPECT_EQ(std::u16string_view(region.data()), u"C:\\a.exe;D:\\y.exe;C:\\b.exe;");
}

}  // namespace
}  // namespace vcam::camera
