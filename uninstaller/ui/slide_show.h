#pragma once
// The schedule of the PowerPoint control: which image shows and how far the
// cross-fade into it has come, advanced by its 30 ms timer. Each image stays
// 151 ticks; the first 40 of them fade it in over the previous one. A show
// started anew begins at tick 50 of its image, so that image shows at once.
#include <cstddef>
#include <cstdint>
#include <span>

namespace vcam::uninstaller {

class SlideShow {
 public:
  static constexpr std::uint32_t kIntervalMs = 30;
  static constexpr int kLastTick = 150;
  static constexpr int kFadeTicks = 40;
  static constexpr int kStartTick = 50;

  explicit SlideShow(std::size_t count = 0) : count_(count) {}

  // False when it was running already (the counter is kept).
  bool start();
  void stop() { running_ = false; }
  void tick();

  bool running() const { return running_; }
  std::size_t count() const { return count_; }
  std::size_t index() const { return index_; }
  std::size_t previous() const { return count_ ? (index_ + count_ - 1) % count_ : 0; }
  int counter() const { return counter_; }

  // The previous image still fades out under the current one.
  bool fading() const { return running_ && counter_ < kFadeTicks && count_ > 1; }
  // The current image's weight out of 256 at this tick: 0 at its first tick,
  // easing to 255 at its 40th.
  int alpha() const { return fade_alpha(counter_); }
  static int fade_alpha(int counter);

 private:
  std::size_t count_;
  std::size_t index_ = 0;
  int counter_ = 0;
  bool running_ = false;
};

// out = (previous x (256 - alpha) + current x alpha) / 256, byte by byte, for
// bytes that the three spans all have.
void cross_fade(std::span<const std::uint8_t> previous, std::span<const std::uint8_t> current,
                std::span<std::uint8_t> out, int alpha);

}  // namespace vcam::uninstaller
