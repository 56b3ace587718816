#include "dui/window/root_layout.h"

#include "dui/core/attribute_names.h"

namespace vcam::dui {

Size SizeRootForWindow(Control& root) {
  Size size;
  if (root.FindSize(attr::initSize, &size)) {
    root.Measure(size.cx, size.cy);
  } else {
    size = root.Measure(1024, 768);
  }
  root.Arrange(0, 0, size.cx, size.cy);
  return size;
}

bool FitRootToClient(Control& root, Size client) {
  const Rect& r = root.rect();
  if (r.width() == client.cx && r.height() == client.cy) return false;
  root.Measure(client.cx, client.cy);
  root.Arrange(0, 0, client.cx, client.cy);
  return true;
}

std::optional<Size> RoundCorner(const Control& root) {
  Size ellipse;
  if (!root.FindSize(attr::roundCorner, &ellipse)) return std::nullopt;
  return ellipse;
}

}  // namespace vcam::dui
