// Arbitrary bytes as a layout file: building, attaching, measuring and
// arranging must never crash or leak.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dui/testing/layout_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  vcam::dui::testing::AttachedTree tree(bytes);
  if (tree.root()) {
    tree.Layout(800, 600);
    tree.root()->HitTest(10, 10);
  }
  return 0;
}
