#pragma once
// Shapes as signed distance fields (negative inside, in pixels). A pixel's
// coverage is taken from the distance at its centre, clamp(0.5 - d, 0, 1):
// exact for straight edges, a close estimate along curves, and smooth enough
// to anti-alias small icons without supersampling.
#include <memory>
#include <vector>

namespace vcam::artgen {

struct Point {
  float x = 0, y = 0;
};

class Shape {
 public:
  virtual ~Shape() = default;
  virtual float Distance(float x, float y) const = 0;
};

using ShapePtr = std::shared_ptr<const Shape>;

// The coverage of the pixel whose top-left corner is (px, py).
float Coverage(const Shape& shape, int px, int py);

// Axis-aligned rectangle [x0, x1) x [y0, y1) with corner radius r (clamped
// to half the shorter side).
ShapePtr RoundRect(float x0, float y0, float x1, float y1, float radius);
ShapePtr Circle(float cx, float cy, float radius);
// A segment with round ends, `width` thick.
ShapePtr Capsule(Point a, Point b, float width);
// Consecutive segments with round joins and ends, `width` thick.
ShapePtr Polyline(std::vector<Point> points, float width);
// A closed polygon, any winding, not necessarily convex.
ShapePtr Polygon(std::vector<Point> points);
// The outline of a shape: a band `width` thick centred on its edge.
ShapePtr Outline(ShapePtr shape, float width);
// The outline band lying just inside the shape's edge.
ShapePtr InnerBorder(ShapePtr shape, float width);
ShapePtr Union(ShapePtr a, ShapePtr b);
ShapePtr Subtract(ShapePtr from, ShapePtr cut);
ShapePtr Intersect(ShapePtr a, ShapePtr b);
ShapePtr Translate(ShapePtr shape, float dx, float dy);

}  // namespace vcam::artgen
