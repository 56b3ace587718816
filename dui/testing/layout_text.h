#pragma once
// Builds trees from layout text in tests, with the standard vocabulary.
#include <memory>
#include <string>
#include <string_view>

#include "dui/core/control.h"
#include "dui/core/panel.h"
#include "dui/testing/test_window.h"

namespace vcam::dui::testing {

// The tree of a UTF-8 layout, detached; null when it does not build.
std::unique_ptr<Control> BuildTree(std::string_view utf8_layout);

// A tree attached to a test window, as the window host holds it.
class AttachedTree {
 public:
  explicit AttachedTree(std::string_view utf8_layout);
  ~AttachedTree();

  Control* root() const { return root_.get(); }
  TestWindow& window() { return window_; }
  // Measure with (w, h) and arrange at (0, 0, w, h), as the window host does.
  void Layout(std::int32_t w, std::int32_t h);
  // The control attached under `id` (attribute "id").
  Control* ById(std::int32_t id) const { return window_.GetChild(id); }

 private:
  TestWindow window_;
  std::unique_ptr<Control> root_;
};

}  // namespace vcam::dui::testing
