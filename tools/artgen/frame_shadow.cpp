#include "tools/artgen/frame_shadow.h"

#include <cmath>

#include "tools/artgen/painting.h"

namespace vcam::artgen {
namespace {

// Strength at distance d outside an edge (d <= 0: level with the window).
float Falloff(float d, float sigma) { return d <= 0 ? 1.0f : std::exp(-d * d / (2 * sigma * sigma)); }

// Distance outside the span [low, high] of the pixel centre c.
float Outside(float c, float low, float high) { return c < low ? low - c : (c > high ? c - high : 0.0f); }

}  // namespace

Raster FrameShadow(const FrameShadowParams& s) {
  if (s.grid_left < s.margin_left || s.grid_top < s.margin_top || s.grid_right < s.margin_right ||
      s.grid_bottom < s.margin_bottom || s.margin_left < 0 || s.margin_top < 0 || s.margin_right < 0 ||
      s.margin_bottom < 0)
    return {};
  // A middle of a few pixels between the borders is all a nine-slice needs.
  constexpr int kMiddle = 4;
  Raster out(s.grid_left + kMiddle + s.grid_right, s.grid_top + kMiddle + s.grid_bottom);
  const float x0 = static_cast<float>(s.margin_left), y0 = static_cast<float>(s.margin_top);
  const float x1 = static_cast<float>(out.width() - s.margin_right), y1 = static_cast<float>(out.height() - s.margin_bottom);
  // A wide soft key shadow falling below the window and a tight ambient one
  // outlining it on every side.
  constexpr float kAmbientSigma = 1.0f, kAmbientOpacity = 0.09f;
  for (int y = 0; y < out.height(); ++y) {
    const float cy = y + 0.5f;
    for (int x = 0; x < out.width(); ++x) {
      const float cx = x + 0.5f;
      const float key = s.opacity * Falloff(Outside(cx, x0, x1), s.sigma) *
                        Falloff(Outside(cy, y0 + s.offset_y, y1 + s.offset_y), s.sigma);
      const float ambient = kAmbientOpacity * Falloff(Outside(cx, x0 - 0.5f, x1 + 0.5f), kAmbientSigma) *
                            Falloff(Outside(cy, y0 - 0.5f, y1 + 0.5f), kAmbientSigma);
      out.Blend(x, y, Hex(0x000000), 1.0f - (1.0f - key) * (1.0f - ambient));
    }
  }
  Cut(out, RoundRect(x0, y0, x1, y1, s.corner_radius));
  return out;
}

FrameShadowParams DialogShadow() {
  FrameShadowParams shadow;
  shadow.margin_left = 20, shadow.margin_top = 14, shadow.margin_right = 16, shadow.margin_bottom = 21;
  shadow.grid_left = shadow.grid_top = shadow.grid_right = shadow.grid_bottom = 24;
  shadow.sigma = 6.5f;
  shadow.offset_y = 4.0f;
  shadow.opacity = 0.20f;
  return shadow;
}

}  // namespace vcam::artgen
