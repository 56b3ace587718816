#include "tools/outside/client/channel_picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

namespace vcam::client {

PictureSize channel_picture_size(std::int32_t width, std::int32_t height, std::size_t capacity) {
  if (width <= 0 || height <= 0) return {};
  const std::uint64_t pixels = capacity / 4;
  if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <= pixels) return {width, height};
  const std::int32_t g = std::gcd(width, height);
  const std::uint64_t a = width / g, b = height / g;
  // The largest k with k * a * k * b <= pixels keeps the aspect ratio exactly.
  std::uint64_t k = 0;
  while ((k + 1) * a * (k + 1) * b <= pixels) ++k;
  if (k > 0) return {static_cast<std::int32_t>(k * a), static_cast<std::int32_t>(k * b)};
  // No exact multiple fits (a ratio of large coprime numbers): scale both
  // sides by the same factor, rounding down.
  const double s = std::sqrt(static_cast<double>(pixels) / (static_cast<double>(width) * height));
  std::int32_t w = std::max<std::int32_t>(1, static_cast<std::int32_t>(width * s));
  std::int32_t h = std::max<std::int32_t>(1, static_cast<std::int32_t>(height * s));
  while (static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h) > pixels) {
    if (h > 1) --h;
    else if (w > 1) --w;
    else return {};
  }
  return {w, h};
}

void PictureReducer::prepare(std::int32_t sw, std::int32_t sh, std::int32_t dw, std::int32_t dh) {
  auto taps = [](std::int32_t from, std::int32_t to) {
    std::vector<Tap> t(static_cast<std::size_t>(to));
    for (std::int32_t i = 0; i < to; ++i) {
      // Centre of destination pixel i, in source pixels, in 1/256.
      const std::int64_t pos = ((2 * static_cast<std::int64_t>(i) + 1) * from * 256) / (2 * to) - 128;
      const std::int64_t clamped = std::clamp<std::int64_t>(pos, 0, (from - 1) * 256);
      std::int32_t index = static_cast<std::int32_t>(clamped >> 8);
      std::uint32_t weight = static_cast<std::uint32_t>(clamped & 0xFF);
      if (index >= from - 1) {
        index = from - 1;
        weight = 0;
      }
      t[static_cast<std::size_t>(i)] = {index, weight};
    }
    return t;
  };
  columns_ = taps(sw, dw);
  rows_ = taps(sh, dh);
  sw_ = sw, sh_ = sh, dw_ = dw, dh_ = dh;
}

namespace {

// Blends two BGRX pixels with `w` in 1/256 of the second, blue and red side
// by side in one word, green in another: three multiplications per pair
// rather than six. The unused byte comes out 0.
inline std::uint32_t blend(std::uint32_t a, std::uint32_t b, std::uint32_t w) {
  const std::uint32_t iw = 256 - w;
  const std::uint32_t rb = (((a & 0x00FF00FF) * iw + (b & 0x00FF00FF) * w) >> 8) & 0x00FF00FF;
  const std::uint32_t g = (((a & 0x0000FF00) * iw + (b & 0x0000FF00) * w) >> 8) & 0x0000FF00;
  return rb | g;
}

inline std::uint32_t load(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

}  // namespace

bool PictureReducer::reduce(const std::uint8_t* src, std::int32_t sw, std::int32_t sh, std::uint8_t* dst,
                            std::int32_t dw, std::int32_t dh) {
  if (!src || !dst || sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0 || dw > sw || dh > sh) return false;
  if (sw != sw_ || sh != sh_ || dw != dw_ || dh != dh_) prepare(sw, sh, dw, dh);
  const std::size_t src_stride = static_cast<std::size_t>(sw) * 4;
  for (std::int32_t y = 0; y < dh; ++y) {
    const Tap row = rows_[static_cast<std::size_t>(y)];
    const std::uint8_t* upper = src + static_cast<std::size_t>(row.index) * src_stride;
    const std::uint8_t* lower = row.weight ? upper + src_stride : upper;
    std::uint8_t* out = dst + static_cast<std::size_t>(y) * dw * 4;
    for (std::int32_t x = 0; x < dw; ++x, out += 4) {
      const Tap col = columns_[static_cast<std::size_t>(x)];
      const std::size_t left = static_cast<std::size_t>(col.index) * 4;
      const std::size_t right = col.weight ? left + 4 : left;
      const std::uint32_t top = blend(load(upper + left), load(upper + right), col.weight);
      const std::uint32_t bottom = blend(load(lower + left), load(lower + right), col.weight);
      const std::uint32_t pixel = blend(top, bottom, row.weight);
      std::memcpy(out, &pixel, 4);
    }
  }
  return true;
}

}  // namespace vcam::client
