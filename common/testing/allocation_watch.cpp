#include "common/testing/allocation_watch.h"

#include <cstdlib>
#include <new>

namespace {

bool g_watching = false;
long g_refuse_at = -1;
long g_count = 0;

void* allocate(std::size_t size) {
  if (g_watching && g_count++ == g_refuse_at) throw std::bad_alloc();
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

namespace vcam::testing {

AllocationWatch::AllocationWatch(long refuse_at) {
  g_count = 0;
  g_refuse_at = refuse_at;
  g_watching = true;
}

long AllocationWatch::Stop() {
  g_watching = false;
  g_refuse_at = -1;
  return g_count;
}

}  // namespace vcam::testing
