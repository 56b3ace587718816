#include "uninstaller/ui/slide_show.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vcam::uninstaller {

bool SlideShow::start() {
  if (running_) return false;
  counter_ = kStartTick;
  running_ = true;
  return true;
}

void SlideShow::tick() {
  if (counter_ >= kLastTick) {
    counter_ = 0;
    if (count_) index_ = (index_ + 1) % count_;
  } else {
    ++counter_;
  }
}

int SlideShow::fade_alpha(int counter) {
  constexpr double kPi = 3.14159265358979323846;
  const double a = (std::sin(counter * kPi / kFadeTicks - kPi / 2) + 1) * 128;
  return std::clamp(static_cast<int>(a), 0, 256);
}

void cross_fade(std::span<const std::uint8_t> previous, std::span<const std::uint8_t> current,
                std::span<std::uint8_t> out, int alpha) {
  alpha = std::clamp(alpha, 0, 256);
  // Two tables of the products, so each byte costs two look-ups and a shift.
  std::array<std::uint32_t, 256> fading_out{}, fading_in{};
  for (std::uint32_t v = 0; v < 256; ++v) {
    fading_out[v] = v * static_cast<std::uint32_t>(256 - alpha);
    fading_in[v] = v * static_cast<std::uint32_t>(alpha);
  }
  const std::size_t n = std::min({previous.size(), current.size(), out.size()});
  for (std::size_t i = 0; i < n; ++i)
    out[i] = static_cast<std::uint8_t>((fading_out[previous[i]] + fading_in[current[i]]) >> 8);
}

}  // namespace vcam::uninstaller
