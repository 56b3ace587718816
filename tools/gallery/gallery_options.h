#pragma once
// The gallery's command line.
//
//   vcam_gallery --skin <folder or .zeloz> --layouts <folder or .zeloz> --out FOLDER
//       every control of the toolkit in every state, the launcher's dialogs
//       and a layered window, each written as FOLDER\<name>.png
//   vcam_gallery --skin <folder or .zeloz> --layouts <folder or .zeloz>
//                --layout NAME --png OUT.png [--layered]
//                [--hover ID] [--press ID] [--focus ID] [--check ID]
//       one window made from the layout NAME, with those states applied
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vcam::gallery {

struct GalleryOptions {
  bool help = false;
  std::u16string out_folder;  // the whole gallery
  std::u16string skin;        // one layout: where the skin comes from
  std::u16string layouts;
  std::u16string layout;
  std::u16string png;
  bool layered = false;
  std::optional<std::int32_t> hover, press, focus;
  std::vector<std::int32_t> check;  // several controls may be checked

  bool renders_one_layout() const { return !layout.empty(); }
};

struct ParsedGalleryOptions {
  std::optional<GalleryOptions> options;
  std::string error;  // set when options is empty
};

// `args` excludes the program name.
ParsedGalleryOptions parse_gallery_options(const std::vector<std::u16string>& args);

std::string gallery_usage();

}  // namespace vcam::gallery
