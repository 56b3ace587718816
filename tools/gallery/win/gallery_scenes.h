#pragma once
// The whole gallery: every basic control in every state, the launcher's
// dialogs, a layered window with its shadow, a slider and a tab control,
// each as a PNG.
#include <string>

#include "dui/load/memory_file_source.h"

namespace vcam::gallery {

// The gallery's own files laid over the product's: a layout per control
// sample ("gallery_<name>.xml"), and styles for the control classes the
// product's skin does not use ("gallery_*.xml").
dui::MemoryFileSource gallery_layouts();
dui::MemoryFileSource gallery_styles();

// Needs the runtime initialised with the product's skin and layouts set.
// Writes <out_folder>\<name>.png; returns how many pictures failed, with
// their errors written to `errors`.
int render_gallery(const std::u16string& out_folder, std::string& errors);

}  // namespace vcam::gallery
