#include "tools/artgen/shapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vcam::artgen {
namespace {

float Length(float x, float y) { return std::sqrt(x * x + y * y); }

float SegmentDistance(Point p, Point a, Point b) {
  const float bax = b.x - a.x, bay = b.y - a.y;
  const float pax = p.x - a.x, pay = p.y - a.y;
  const float len2 = bax * bax + bay * bay;
  const float t = len2 > 0 ? std::clamp((pax * bax + pay * bay) / len2, 0.0f, 1.0f) : 0.0f;
  return Length(pax - bax * t, pay - bay * t);
}

class RoundRectShape : public Shape {
 public:
  RoundRectShape(float x0, float y0, float x1, float y1, float r)
      : cx_((x0 + x1) / 2), cy_((y0 + y1) / 2), hx_((x1 - x0) / 2), hy_((y1 - y0) / 2),
        r_(std::clamp(r, 0.0f, std::min(hx_, hy_))) {}
  float Distance(float x, float y) const override {
    const float qx = std::abs(x - cx_) - (hx_ - r_);
    const float qy = std::abs(y - cy_) - (hy_ - r_);
    return Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - r_;
  }

 private:
  float cx_, cy_, hx_, hy_, r_;
};

class CircleShape : public Shape {
 public:
  CircleShape(float cx, float cy, float r) : cx_(cx), cy_(cy), r_(r) {}
  float Distance(float x, float y) const override { return Length(x - cx_, y - cy_) - r_; }

 private:
  float cx_, cy_, r_;
};

class PolylineShape : public Shape {
 public:
  PolylineShape(std::vector<Point> points, float width) : points_(std::move(points)), half_(width / 2) {}
  float Distance(float x, float y) const override {
    float best = 1e9f;
    if (points_.size() == 1) best = Length(x - points_[0].x, y - points_[0].y);
    for (std::size_t i = 1; i < points_.size(); ++i)
      best = std::min(best, SegmentDistance({x, y}, points_[i - 1], points_[i]));
    return best - half_;
  }

 private:
  std::vector<Point> points_;
  float half_;
};

class PolygonShape : public Shape {
 public:
  explicit PolygonShape(std::vector<Point> points) : points_(std::move(points)) {}
  float Distance(float x, float y) const override {
    if (points_.size() < 3) return 1e9f;
    float best = 1e9f;
    bool inside = false;
    for (std::size_t i = 0, j = points_.size() - 1; i < points_.size(); j = i++) {
      const Point a = points_[j], b = points_[i];
      best = std::min(best, SegmentDistance({x, y}, a, b));
      if ((b.y > y) != (a.y > y) && x < (a.x - b.x) * (y - b.y) / (a.y - b.y) + b.x) inside = !inside;
    }
    return inside ? -best : best;
  }

 private:
  std::vector<Point> points_;
};

class OutlineShape : public Shape {
 public:
  OutlineShape(ShapePtr shape, float width, float shift) : shape_(std::move(shape)), half_(width / 2), shift_(shift) {}
  float Distance(float x, float y) const override { return std::abs(shape_->Distance(x, y) + shift_) - half_; }

 private:
  ShapePtr shape_;
  float half_, shift_;
};

class CombinedShape : public Shape {
 public:
  enum class Kind { kUnion, kSubtract, kIntersect };
  CombinedShape(ShapePtr a, ShapePtr b, Kind kind) : a_(std::move(a)), b_(std::move(b)), kind_(kind) {}
  float Distance(float x, float y) const override {
    const float da = a_->Distance(x, y), db = b_->Distance(x, y);
    switch (kind_) {
      case Kind::kUnion: return std::min(da, db);
      case Kind::kSubtract: return std::max(da, -db);
      case Kind::kIntersect: return std::max(da, db);
    }
    return da;
  }

 private:
  ShapePtr a_, b_;
  Kind kind_;
};

class TranslatedShape : public Shape {
 public:
  TranslatedShape(ShapePtr shape, float dx, float dy) : shape_(std::move(shape)), dx_(dx), dy_(dy) {}
  float Distance(float x, float y) const override { return shape_->Distance(x - dx_, y - dy_); }

 private:
  ShapePtr shape_;
  float dx_, dy_;
};

}  // namespace

float Coverage(const Shape& shape, int px, int py) {
  return std::clamp(0.5f - shape.Distance(px + 0.5f, py + 0.5f), 0.0f, 1.0f);
}

ShapePtr RoundRect(float x0, float y0, float x1, float y1, float radius) {
  return std::make_shared<RoundRectShape>(x0, y0, x1, y1, radius);
}
ShapePtr Circle(float cx, float cy, float radius) { return std::make_shared<CircleShape>(cx, cy, radius); }
ShapePtr Capsule(Point a, Point b, float width) { return Polyline({a, b}, width); }
ShapePtr Polyline(std::vector<Point> points, float width) {
  return std::make_shared<PolylineShape>(std::move(points), width);
}
ShapePtr Polygon(std::vector<Point> points) { return std::make_shared<PolygonShape>(std::move(points)); }
ShapePtr Outline(ShapePtr shape, float width) { return std::make_shared<OutlineShape>(std::move(shape), width, 0.0f); }
ShapePtr InnerBorder(ShapePtr shape, float width) {
  return std::make_shared<OutlineShape>(std::move(shape), width, width / 2);
}
ShapePtr Union(ShapePtr a, ShapePtr b) {
  return std::make_shared<CombinedShape>(std::move(a), std::move(b), CombinedShape::Kind::kUnion);
}
ShapePtr Subtract(ShapePtr from, ShapePtr cut) {
  return std::make_shared<CombinedShape>(std::move(from), std::move(cut), CombinedShape::Kind::kSubtract);
}
ShapePtr Intersect(ShapePtr a, ShapePtr b) {
  return std::make_shared<CombinedShape>(std::move(a), std::move(b), CombinedShape::Kind::kIntersect);
}
ShapePtr Translate(ShapePtr shape, float dx, float dy) {
  return std::make_shared<TranslatedShape>(std::move(shape), dx, dy);
}

}  // namespace vcam::artgen
