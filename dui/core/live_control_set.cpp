#include "dui/core/live_control_set.h"

#include <cstring>
#include <unordered_set>

namespace vcam::dui {

namespace {

struct PointerHash {
  std::size_t operator()(const Control* c) const { return LiveControlSet::Hash(c); }
};

std::unordered_set<const Control*, PointerHash>& Set() {
  static std::unordered_set<const Control*, PointerHash> set = [] {
    std::unordered_set<const Control*, PointerHash> s(8);
    s.max_load_factor(1.0f);
    return s;
  }();
  return set;
}

}  // namespace

std::uint32_t LiveControlSet::Hash(const void* pointer) {
  unsigned char bytes[sizeof pointer];
  std::memcpy(bytes, &pointer, sizeof pointer);
  std::uint32_t h = 0x811c9dc5u;
  for (unsigned char b : bytes) {
    h ^= b;
    h *= 16777619u;
  }
  return h;
}

void LiveControlSet::Insert(const Control* control) { Set().insert(control); }
void LiveControlSet::Erase(const Control* control) { Set().erase(control); }
bool LiveControlSet::Contains(const Control* control) {
  return control && Set().contains(control);
}
std::size_t LiveControlSet::Size() { return Set().size(); }
std::size_t LiveControlSet::BucketCount() { return Set().bucket_count(); }

}  // namespace vcam::dui
