#pragma once
// One window of the gallery: a control tree shown in a real window, put in
// the states asked for through real mouse and focus messages, painted, and
// read back from its back buffer.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dui/core/control.h"
#include "tools/gallery/rgba_picture.h"

namespace vcam::gallery {

struct SnapshotStates {
  bool layered = false;
  std::optional<dui::Size> size;  // instead of the layout's own size
  std::optional<std::int32_t> hover, press, focus;
  std::vector<std::int32_t> check;
  std::vector<std::int32_t> disable;
  // Runs once the window shows the tree and has laid it out, before the states
  // (scrolling, which needs the arranged tree).
  std::function<void()> prepare;
};

struct Snapshot {
  std::optional<RgbaPicture> picture;
  std::string error;  // set when picture is empty
};

// Takes the tree, makes the window, runs `prepare`, applies the states in the order check,
// disable, focus, hover, press, and destroys the window afterwards. An id
// that no control carries is an error.
Snapshot take_snapshot(std::unique_ptr<dui::Control> root, const SnapshotStates& states);

}  // namespace vcam::gallery
