#pragma once
// Checks a delivered camera picture against the test pattern it was scaled
// from. Used by the tests of the pump and the publisher.
#include <cstddef>
#include <cstdint>
#include <string>

namespace vcam::publisher {

struct PatternCheck {
  int checked = 0;     // points compared
  int mismatched = 0;  // points off by more than the tolerance
  std::string report;  // the first few mismatches, readable
  bool ok() const { return checked > 0 && mismatched == 0; }
};

// `out` is a bottom-up BGR24 picture of out_width x out_height with rows of
// dib_stride bytes, scaled from a source_width x source_height pattern of
// picture `number` of which only the rows between the fractions visible_top
// and visible_bottom of the height are shown (0 and 1 without a crop). Points
// on a grid are compared where the pattern is uniform around the matching
// source pixel, so scaling filters cannot blur them.
PatternCheck check_pattern_picture(const std::uint8_t* out, std::int32_t out_width, std::int32_t out_height,
                                   std::int32_t source_width, std::int32_t source_height,
                                   std::uint32_t number, double visible_top = 0.0,
                                   double visible_bottom = 1.0, int tolerance = 12);

// The four corner markers, each sampled inside its visible part: upright,
// unmirrored, with red and blue in their places.
PatternCheck check_pattern_corners(const std::uint8_t* out, std::int32_t out_width, std::int32_t out_height,
                                   double visible_top = 0.0, double visible_bottom = 1.0,
                                   int tolerance = 12);

}  // namespace vcam::publisher
