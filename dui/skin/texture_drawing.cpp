#include "dui/skin/texture_drawing.h"

#include <algorithm>

#include "dui/skin/texture.h"

namespace vcam::dui {

namespace {

Rect Box(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) { return {x, y, x + w, y + h}; }

}  // namespace

void DrawStretched(Painter& painter, const Texture& texture, const Rect& dst) {
  painter.DrawImage(texture, dst, {0, 0, texture.width(), texture.height()});
}

void DrawNatural(Painter& painter, const Texture& texture, std::int32_t x, std::int32_t y) {
  painter.DrawImage(texture, Box(x, y, texture.width(), texture.height()), {0, 0, texture.width(), texture.height()});
}

void DrawNineSlice(Painter& painter, const Texture& texture, const Rect& dst, const Rect& borders) {
  for (const SlicePiece& p : NineSlicePieces(texture.width(), texture.height(), dst, borders))
    painter.DrawImage(texture, p.dst, p.src);
}

std::vector<SlicePiece> NineSlicePieces(std::int32_t W, std::int32_t H, const Rect& dst, const Rect& borders) {
  std::vector<SlicePiece> pieces;
  const std::int32_t dw = dst.width(), dh = dst.height();
  if (dw <= 0 || dh <= 0 || W <= 0 || H <= 0) return pieces;
  // Borders are clamped to the texture, then to the destination; a clamped
  // corner shows the part of the image next to the outer edge.
  const std::int32_t bl = std::clamp(borders.left, 0, W), br = std::clamp(borders.right, 0, W - bl);
  const std::int32_t bt = std::clamp(borders.top, 0, H), bb = std::clamp(borders.bottom, 0, H - bt);
  const std::int32_t dl = std::min(bl, dw), dr = std::min(br, dw - dl);
  const std::int32_t dt = std::min(bt, dh), db = std::min(bb, dh - dt);
  const std::int32_t cw = dw - dl - dr, ch = dh - dt - db;
  const std::int32_t scw = W - bl - br, sch = H - bt - bb;
  const std::int32_t L = dst.left, T = dst.top, R = dst.right, B = dst.bottom;

  auto add = [&](const Rect& d, const Rect& s) {
    if (!d.empty() && !s.empty()) pieces.push_back({d, s});
  };
  add(Box(L + dl, T + dt, cw, ch), Box(bl, bt, scw, sch));                    // centre
  add(Box(L, T, dl, dt), Box(0, 0, dl, dt));                                  // top-left
  add(Box(L + dl, T, cw, dt), Box(bl, 0, scw, dt));                           // top
  add(Box(R - dr, T, dr, dt), Box(W - dr, 0, dr, dt));                        // top-right
  add(Box(R - dr, T + dt, dr, ch), Box(W - dr, bt, dr, sch));                 // right
  add(Box(R - dr, B - db, dr, db), Box(W - dr, H - db, dr, db));              // bottom-right
  add(Box(L + dl, B - db, cw, db), Box(bl, H - db, scw, db));                 // bottom
  add(Box(L, B - db, dl, db), Box(0, H - db, dl, db));                        // bottom-left
  add(Box(L, T + dt, dl, ch), Box(0, bt, dl, sch));                           // left
  return pieces;
}

}  // namespace vcam::dui
