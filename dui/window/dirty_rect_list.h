#pragma once
// The rectangles of a layered window that wait for the next flush. Few and
// merged: a rectangle inside a stored one adds nothing, stored ones inside a
// new one go, and two with a shared pair of edges that touch or overlap become
// their union.
#include <array>
#include <cstddef>

#include "dui/core/geometry.h"

namespace vcam::dui {

class DirtyRectList {
 public:
  static constexpr std::size_t kCapacity = 20;

  enum class AddResult {
    Covered,  // inside a stored rectangle (or empty): nothing changed
    Merged,   // joined with a stored rectangle that shares two edges
    Stored,   // appended
    Full,     // nothing changed: the list must be flushed before this one fits
  };

  AddResult Add(const Rect& r);
  void Clear() { count_ = 0; }

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  const Rect& operator[](std::size_t i) const { return rects_[i]; }
  const Rect* begin() const { return rects_.data(); }
  const Rect* end() const { return rects_.data() + count_; }

 private:
  std::array<Rect, kCapacity> rects_{};
  std::size_t count_ = 0;
};

// `inner` lies inside `outer` (edges may coincide).
bool RectInside(const Rect& inner, const Rect& outer);

}  // namespace vcam::dui
