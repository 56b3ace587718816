#pragma once
// Drawing a skin texture into a rectangle: whole and stretched, at its own
// size, or as a nine-slice whose corners keep their size.
#include <cstdint>
#include <vector>

#include "dui/core/geometry.h"
#include "dui/core/painter.h"

namespace vcam::dui {

class Texture;

void DrawStretched(Painter& painter, const Texture& texture, const Rect& dst);
void DrawNatural(Painter& painter, const Texture& texture, std::int32_t x, std::int32_t y);
// `borders` holds the left, top, right and bottom border widths in texture pixels.
void DrawNineSlice(Painter& painter, const Texture& texture, const Rect& dst, const Rect& borders);

// One blit of a nine-slice: destination and source rectangles.
struct SlicePiece {
  Rect dst;
  Rect src;
};
// The pieces in drawing order: centre, top-left, top, top-right, right,
// bottom-right, bottom, bottom-left, left. A destination smaller than its
// borders gets its corners cut to fit (the outer edges stay), and no piece
// has an empty destination or source.
std::vector<SlicePiece> NineSlicePieces(std::int32_t texture_width, std::int32_t texture_height, const Rect& dst,
                                        const Rect& borders);

}  // namespace vcam::dui
