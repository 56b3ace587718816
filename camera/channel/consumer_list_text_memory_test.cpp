// The filter module adds and removes its host under the loader lock, where
// nothing may throw: the list text does that work without allocating. This
// program's own operator new counts what is asked for while a test watches.
#include "camera/channel/consumer_list_text.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <new>
#include <string_view>

namespace {

bool g_counting = false;
long g_allocations = 0;

void* allocate(std::size_t size) {
  if (g_counting) ++g_allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace vcam::camera {
namespace {

// Counts the allocations made while the object lives.
class CountAllocations {
 public:
  CountAllocations() {
    g_allocations = 0;
    g_counting = true;
  }
  ~CountAllocations() { g_counting = false; }
  CountAllocations(const CountAllocations&) = delete;
  CountAllocations& operator=(const CountAllocations&) = delete;
  long Count() const { return g_allocations; }
};

TEST(ConsumerListTextMemory, AddRemoveAndStoreAllocateNothing) {
  std::array<char16_t, kListCapacity> region{};
  const std::u16string_view start = u";;C:\\x.exe;C:\\a.exe;;D:\\y.exe;C:\\b.exe";
  std::copy(start.begin(), start.end(), region.begin());
  // Paths longer than any small-string buffer, so a copy would allocate.
  const std::u16string_view host = u"C:\\Program Files\\Some Vendor\\Some Program\\host.exe";
  const std::u16string_view other = u"C:\\x.exe";
  long allocations = -1;
  {
    CountAllocations count;
    ConsumerListText text(region);
    text.add(host);
    text.remove(other);
    text.remove(host);
    text.store(region);
    allocations = count.Count();
  }
  EXPECT_EQ(allocations, 0);
  EXPECT_EQ(std::u16string_view(region.data()), u"C:\\a.exe;D:\\y.exe;C:\\b.exe;");
}

}  // namespace
}  // namespace vcam::camera
