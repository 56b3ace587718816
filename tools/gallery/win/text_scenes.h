#pragma once
// The gallery's text input samples: a text box with a selection, a password
// box and a multi-line editor wrapping its text.
#include <string>

#include "dui/load/memory_file_source.h"

namespace vcam::gallery {

// Their layouts ("gallery_text_*.xml") and the field frame style
// ("gallery_edit.xml"), added to the gallery's own files.
void add_text_layouts(dui::MemoryFileSource& files);
void add_text_styles(dui::MemoryFileSource& files);

// Writes <out_folder>\text_*.png; returns how many failed, with their errors
// appended to `errors`.
int render_text_scenes(const std::u16string& out_folder, std::string& errors);

}  // namespace vcam::gallery
