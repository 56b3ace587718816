#pragma once
// The process-wide set of controls attached to some window. Operations that
// may run after a control went away (raising, invalidating, measuring,
// arranging, coordinate queries) test membership first. UI thread only.
#include <cstddef>
#include <cstdint>

namespace vcam::dui {

class Control;

class LiveControlSet {
 public:
  static void Insert(const Control* control);
  static void Erase(const Control* control);
  static bool Contains(const Control* control);
  static std::size_t Size();
  static std::size_t BucketCount();

  // 32-bit FNV-1a over the bytes of the pointer value.
  static std::uint32_t Hash(const void* pointer);
};

}  // namespace vcam::dui
