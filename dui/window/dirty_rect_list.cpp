#include "dui/window/dirty_rect_list.h"

#include <algorithm>

namespace vcam::dui {

namespace {

// Same left and right and touching vertically, or same top and bottom and
// touching horizontally: the union covers exactly the two.
bool SharesEdges(const Rect& a, const Rect& b) {
  if (a.left == b.left && a.right == b.right) return a.top <= b.bottom && b.top <= a.bottom;
  if (a.top == b.top && a.bottom == b.bottom) return a.left <= b.right && b.left <= a.right;
  return false;
}

}  // namespace

bool RectInside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

DirtyRectList::AddResult DirtyRectList::Add(const Rect& r) {
  if (r.empty()) return AddResult::Covered;
  // 1. Already covered.
  for (std::size_t i = 0; i < count_; ++i)
    if (RectInside(r, rects_[i])) return AddResult::Covered;
  // 2. Drop what r covers; the last entry fills each gap.
  for (std::size_t i = 0; i < count_;) {
    if (RectInside(rects_[i], r))
      rects_[i] = rects_[--count_];
    else
      ++i;
  }
  // 3. The first neighbour with a shared pair of edges takes the union.
  for (std::size_t i = 0; i < count_; ++i) {
    Rect& s = rects_[i];
    if (!SharesEdges(s, r)) continue;
    s = {std::min(s.left, r.left), std::min(s.top, r.top), std::max(s.right, r.right),
         std::max(s.bottom, r.bottom)};
    return AddResult::Merged;
  }
  // 4. Append; a full list is left as it was (step 2 removed nothing, or it
  //    would not be full), so the caller can flush and add again.
  if (count_ == kCapacity) return AddResult::Full;
  rects_[count_++] = r;
  return AddResult::Stored;
}

}  // namespace vcam::dui
