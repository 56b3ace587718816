#pragma once
// The small drawings the icons are made of, as shapes centred on (cx, cy)
// and scaled by `size` (the side of the square they fit in).
#include "tools/artgen/shapes.h"

namespace vcam::artgen {

ShapePtr CheckMark(float cx, float cy, float size, float stroke);
ShapePtr Cross(float cx, float cy, float size, float stroke);
ShapePtr Exclamation(float cx, float cy, float size, float stroke);
ShapePtr InfoMark(float cx, float cy, float size, float stroke);
// An arrow pointing down onto a tray, the download sign.
ShapePtr DownloadMark(float cx, float cy, float size, float stroke);
ShapePtr Minus(float cx, float cy, float size, float stroke);
// A video camera seen from the side: body and the lens hood to its right.
ShapePtr VideoCamera(float cx, float cy, float size);

}  // namespace vcam::artgen
