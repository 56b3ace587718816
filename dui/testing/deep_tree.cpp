#include "dui/testing/deep_tree.h"

#include <algorithm>

#include "dui/core/panel.h"

namespace vcam::dui::testing {

std::string DeepLayout(int depth, std::string_view leaf) {
  static constexpr std::string_view kPanels[] = {"Grid", "StackPanel", "DockPanel", "Canvas", "WrapPanel"};
  constexpr int kKinds = static_cast<int>(std::size(kPanels));
  std::string text;
  // A fixed size, so that panels that give a child only its desired size
  // (or none) still give every level room.
  for (int i = 0; i + 1 < depth; ++i)
    text += "<" + std::string(kPanels[i % kKinds]) + " width=\"100\" height=\"100\">";
  text += "<" + std::string(leaf) + "/>";
  for (int i = depth - 2; i >= 0; --i) text += "</" + std::string(kPanels[i % kKinds]) + ">";
  return text;
}

int TreeDepth(const Control& root) {
  int deepest = 0;
  // Depth-first by the sibling and parent links.
  const Control* c = &root;
  int depth = 1;
  while (c) {
    deepest = std::max(deepest, depth);
    const Control* first =
        c->HasFlag(ControlFlags::Container) ? static_cast<const Panel*>(c)->first_child() : nullptr;
    if (first) {
      c = first;
      ++depth;
      continue;
    }
    while (c && c != &root && !c->next()) {
      c = c->parent();
      --depth;
    }
    c = (c && c != &root) ? c->next() : nullptr;
  }
  return deepest;
}

}  // namespace vcam::dui::testing
