#include "tools/artgen/glyphs.h"

namespace vcam::artgen {

ShapePtr CheckMark(float cx, float cy, float size, float stroke) {
  const float s = size / 2;
  return Polyline({{cx - s * 0.72f, cy + s * 0.02f}, {cx - s * 0.22f, cy + s * 0.50f}, {cx + s * 0.74f, cy - s * 0.48f}},
                  stroke);
}

ShapePtr Cross(float cx, float cy, float size, float stroke) {
  const float s = size / 2;
  return Union(Capsule({cx - s, cy - s}, {cx + s, cy + s}, stroke), Capsule({cx - s, cy + s}, {cx + s, cy - s}, stroke));
}

ShapePtr Exclamation(float cx, float cy, float size, float stroke) {
  const float s = size / 2;
  return Union(Capsule({cx, cy - s + stroke / 2}, {cx, cy + s * 0.35f}, stroke), Circle(cx, cy + s - stroke / 2, stroke * 0.62f));
}

ShapePtr InfoMark(float cx, float cy, float size, float stroke) {
  const float s = size / 2;
  return Union(Circle(cx, cy - s + stroke / 2, stroke * 0.62f), Capsule({cx, cy - s * 0.25f}, {cx, cy + s - stroke / 2}, stroke));
}

ShapePtr DownloadMark(float cx, float cy, float size, float stroke) {
  const float s = size / 2;
  ShapePtr arrow = Union(Capsule({cx, cy - s}, {cx, cy + s * 0.30f}, stroke),
                         Polyline({{cx - s * 0.45f, cy - s * 0.12f}, {cx, cy + s * 0.33f}, {cx + s * 0.45f, cy - s * 0.12f}}, stroke));
  ShapePtr tray = Polyline({{cx - s * 0.9f, cy + s * 0.25f}, {cx - s * 0.9f, cy + s * 0.9f}, {cx + s * 0.9f, cy + s * 0.9f},
                            {cx + s * 0.9f, cy + s * 0.25f}},
                           stroke);
  return Union(arrow, tray);
}

ShapePtr Minus(float cx, float cy, float size, float stroke) {
  return Capsule({cx - size / 2, cy}, {cx + size / 2, cy}, stroke);
}

ShapePtr VideoCamera(float cx, float cy, float size) {
  const float s = size / 2;
  ShapePtr body = RoundRect(cx - s, cy - s * 0.58f, cx + s * 0.36f, cy + s * 0.58f, s * 0.2f);
  ShapePtr hood = Polygon({{cx + s * 0.46f, cy - s * 0.12f}, {cx + s, cy - s * 0.5f}, {cx + s, cy + s * 0.5f},
                           {cx + s * 0.46f, cy + s * 0.12f}});
  return Union(body, hood);
}

}  // namespace vcam::artgen
