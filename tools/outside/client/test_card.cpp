#include "tools/outside/client/test_card.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "tools/publisher/test_pattern.h"

namespace vcam::client {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Segments a..g of the digits, bit 0 = a (top), clockwise, g the middle.
constexpr std::uint8_t kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

class Canvas {
 public:
  Canvas(std::uint8_t* pixels, std::int32_t width, std::int32_t height, PixelRect clip)
      : pixels_(pixels), width_(width), clip_(clip) {
    clip_.left = std::max(clip_.left, 0);
    clip_.top = std::max(clip_.top, 0);
    clip_.right = std::min(clip_.right, width);
    clip_.bottom = std::min(clip_.bottom, height);
  }

  void put(std::int32_t x, std::int32_t y, std::uint32_t c) {
    if (x < clip_.left || x >= clip_.right || y < clip_.top || y >= clip_.bottom) return;
    std::uint8_t* p = pixels_ + (static_cast<std::size_t>(y) * width_ + x) * 4;
    p[0] = c & 0xFF;
    p[1] = (c >> 8) & 0xFF;
    p[2] = (c >> 16) & 0xFF;
    p[3] = 0;
  }

  void fill(PixelRect r, std::uint32_t c) {
    for (std::int32_t y = std::max(r.top, clip_.top); y < std::min(r.bottom, clip_.bottom); ++y)
      for (std::int32_t x = std::max(r.left, clip_.left); x < std::min(r.right, clip_.right); ++x) put(x, y, c);
  }

  void disc(std::int32_t cx, std::int32_t cy, std::int32_t r, std::uint32_t c) {
    for (std::int32_t y = -r; y <= r; ++y)
      for (std::int32_t x = -r; x <= r; ++x)
        if (x * x + y * y <= r * r) put(cx + x, cy + y, c);
  }

  // A thick segment from the centre outwards at `angle` (radians clockwise
  // from twelve o'clock), from `from` to `to` pixels out.
  void ray(std::int32_t cx, std::int32_t cy, double angle, double from, double to, double half_width,
           std::uint32_t c) {
    const double dx = std::sin(angle), dy = -std::cos(angle);
    // Only the box around the segment's two ends is visited.
    const double x0 = dx * from, y0 = dy * from, x1 = dx * to, y1 = dy * to;
    const auto left = static_cast<std::int32_t>(std::floor(std::min(x0, x1) - half_width));
    const auto right = static_cast<std::int32_t>(std::ceil(std::max(x0, x1) + half_width));
    const auto top = static_cast<std::int32_t>(std::floor(std::min(y0, y1) - half_width));
    const auto bottom = static_cast<std::int32_t>(std::ceil(std::max(y0, y1) + half_width));
    for (std::int32_t y = top; y <= bottom; ++y) {
      for (std::int32_t x = left; x <= right; ++x) {
        const double along = x * dx + y * dy;
        const double across = std::fabs(x * dy - y * dx);
        if (along >= from && along <= to && across <= half_width) put(cx + x, cy + y, c);
      }
    }
  }

 private:
  std::uint8_t* pixels_;
  std::int32_t width_;
  PixelRect clip_;
};

void draw_digit(Canvas& canvas, std::int32_t left, std::int32_t top, std::int32_t w, std::int32_t h, int digit) {
  const std::int32_t t = std::max(1, w / 5);
  const std::int32_t mid = top + (h - t) / 2;
  const PixelRect segments[7] = {
      {left, top, left + w, top + t},                  // a
      {left + w - t, top, left + w, mid + t},          // b
      {left + w - t, mid, left + w, top + h},          // c
      {left, top + h - t, left + w, top + h},          // d
      {left, mid, left + t, top + h},                  // e
      {left, top, left + t, mid + t},                  // f
      {left, mid, left + w, mid + t},                  // g
  };
  for (int s = 0; s < 7; ++s)
    if (kSegments[digit % 10] >> s & 1) canvas.fill(segments[s], kSegmentColour);
}

}  // namespace

PixelRect clock_panel_rect(std::int32_t width, std::int32_t height) {
  return {width / 5, height * 58 / 100, width * 4 / 5, height * 98 / 100};
}

FaceGeometry clock_face(std::int32_t width, std::int32_t height) {
  const PixelRect p = clock_panel_rect(width, height);
  const std::int32_t h = p.bottom - p.top;
  return {p.left + h / 2, p.top + h / 2, h * 45 / 100};
}

void draw_clock_panel(std::uint8_t* pixels, std::int32_t width, std::int32_t height, const ClockTime& time) {
  const PixelRect panel = clock_panel_rect(width, height);
  Canvas canvas(pixels, width, height, panel);
  canvas.fill(panel, kPanelColour);

  const FaceGeometry face = clock_face(width, height);
  const double r = face.radius;
  canvas.disc(face.cx, face.cy, face.radius, kFaceColour);
  for (int tick = 0; tick < 12; ++tick)
    canvas.ray(face.cx, face.cy, tick * kPi / 6, r * 0.85, r * 0.97, std::max(1.0, r * 0.025), kHourHandColour);
  const double seconds = time.second + time.millisecond / 1000.0;
  const double minutes = time.minute + seconds / 60.0;
  const double hours = time.hour % 12 + minutes / 60.0;
  canvas.ray(face.cx, face.cy, hours * kPi / 6, 0, r * 0.5, std::max(1.0, r * 0.05), kHourHandColour);
  canvas.ray(face.cx, face.cy, minutes * kPi / 30, 0, r * 0.75, std::max(1.0, r * 0.035), kMinuteHandColour);
  canvas.ray(face.cx, face.cy, seconds * kPi / 30, 0, r * 0.9, std::max(0.5, r * 0.015), kSecondHandColour);

  // HH:MM:SS to the right of the face.
  const std::int32_t text_left = face.cx + face.radius + (panel.bottom - panel.top) / 10;
  const std::int32_t text_width = panel.right - text_left - (panel.bottom - panel.top) / 10;
  const std::int32_t cell = text_width / 8;  // six digits, two colons of one cell each
  if (cell <= 2) return;
  const std::int32_t digit_w = cell * 3 / 4, digit_h = std::min(digit_w * 2, (panel.bottom - panel.top) * 8 / 10);
  const std::int32_t top = face.cy - digit_h / 2;
  const int values[3] = {time.hour, time.minute, time.second};
  std::int32_t x = text_left;
  for (int i = 0; i < 3; ++i) {
    draw_digit(canvas, x, top, digit_w, digit_h, values[i] / 10 % 10);
    draw_digit(canvas, x + cell, top, digit_w, digit_h, values[i] % 10);
    x += 2 * cell;
    if (i < 2) {
      const std::int32_t dot = std::max(1, digit_w / 5);
      const std::int32_t dx = x + cell / 2 - dot / 2 - cell / 8;
      canvas.fill({dx, top + digit_h / 3 - dot / 2, dx + dot, top + digit_h / 3 + dot - dot / 2}, kSegmentColour);
      canvas.fill({dx, top + digit_h * 2 / 3 - dot / 2, dx + dot, top + digit_h * 2 / 3 + dot - dot / 2},
                  kSegmentColour);
      x += cell;
    }
  }
}

bool TestCard::draw(std::uint8_t* pixels, std::size_t size, std::int32_t width, std::int32_t height,
                    const ClockTime& time) {
  if (!pixels || width <= 0 || height <= 0) return false;
  const std::uint64_t bytes = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4;
  if (bytes > size) return false;
  if (width != width_ || height != height_) {
    background_.assign(static_cast<std::size_t>(bytes), 0);
    publisher::draw_test_pattern(background_.data(), background_.size(), width, height, 0);
    width_ = width;
    height_ = height;
  }
  std::memcpy(pixels, background_.data(), background_.size());
  draw_clock_panel(pixels, width, height, time);
  return true;
}

}  // namespace vcam::client
