#pragma once
// Watches the program's own allocations: a test program that compiles
// allocation_watch.cpp replaces the global operator new, and an
// AllocationWatch counts what is asked for while it lives and, if told,
// refuses one allocation with std::bad_alloc. Single-threaded use only.
namespace vcam::testing {

class AllocationWatch {
 public:
  // `refuse_at`: the number (from 0) of the allocation that throws; -1 for none.
  explicit AllocationWatch(long refuse_at = -1);
  ~AllocationWatch() { Stop(); }
  AllocationWatch(const AllocationWatch&) = delete;
  AllocationWatch& operator=(const AllocationWatch&) = delete;

  // Ends the watch early; returns how many allocations were asked for.
  long Stop();
};

}  // namespace vcam::testing
