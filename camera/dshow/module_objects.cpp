#include "camera/dshow/module_objects.h"

#include <atomic>

namespace vcam::dshow {
namespace {
std::atomic<long> objects{0};
std::atomic<long> locks{0};
}  // namespace

ObjectCount::ObjectCount() { ++objects; }
ObjectCount::~ObjectCount() { --objects; }
ObjectCount::ObjectCount(const ObjectCount&) { ++objects; }

void lock_module(bool lock) {
  if (lock) {
    ++locks;
    return;
  }
  // An unbalanced unlock must not let a later lock count for nothing.
  long held = locks.load();
  while (held > 0 && !locks.compare_exchange_weak(held, held - 1)) {
  }
}

bool module_can_unload() { return objects.load() == 0 && locks.load() == 0; }

}  // namespace vcam::dshow
