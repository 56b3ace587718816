#pragma once
// In-memory collaborators of the frame pump for tests and benchmarks: a frame
// source with its own pixel area, a clock whose sleeps move the tick, a
// placeholder that paints a known byte, a counting companion starter, a sample
// of exactly its size and a memory resource that can refuse chosen sizes.
#include <cstdint>
#include <cstring>
#include <memory>
#include <memory_resource>
#include <set>
#include <string>
#include <vector>

#include "camera/channel/frame_header.h"
#include "camera/pump/frame_pump.h"

namespace vcam::camera::testing {

class FakeFrameSource : public FrameSource {
 public:
  FakeFrameSource() : pixels_(kFramePixelAreaSize) {}
  std::int32_t width() const override { return width_; }
  std::int32_t height() const override { return height_; }
  std::uint64_t stamp() const override { return stamp_; }
  bool copyPixels(void* dst, std::size_t size) override {
    requests.push_back(size);
    if (busy || size > pixels_.size()) return false;
    std::memcpy(dst, pixels_.data(), size);
    return true;
  }

  void publish(std::int32_t width, std::int32_t height, std::uint64_t stamp) {
    width_ = width;
    height_ = height;
    stamp_ = stamp;
  }
  std::uint8_t* pixels() { return pixels_.data(); }
  std::size_t pixel_area() const { return pixels_.size(); }

  bool busy = false;                  // the frame mutex stays held elsewhere
  std::vector<std::size_t> requests;  // sizes asked of copyPixels

 private:
  std::int32_t width_ = 0, height_ = 0;
  std::uint64_t stamp_ = 0;
  std::vector<std::uint8_t> pixels_;
};

class FakeClock : public PumpClock {
 public:
  std::uint32_t tick_ms() override { return tick; }
  void sleep_ms(std::uint32_t ms) override {
    sleeps.push_back(tick);
    tick += step ? step : ms;
  }
  std::uint32_t tick = 1000;
  std::uint32_t step = 0;             // tick advance per sleep; 0: the requested time
  std::vector<std::uint32_t> sleeps;  // the tick at each sleep
};

// A clock that never waits, for benchmarks: every reading is a second later.
class RunningClock : public PumpClock {
 public:
  std::uint32_t tick_ms() override { return tick += 1000; }
  void sleep_ms(std::uint32_t) override {}
  std::uint32_t tick = 0;
};

class FakePlaceholder : public PlaceholderBuilder {
 public:
  bool build(std::int32_t width, std::int32_t height, std::uint8_t* dst, std::size_t size) override {
    if (log) log->push_back("placeholder " + std::to_string(width) + "x" + std::to_string(height));
    if (fail) {
      std::memset(dst, kByte, size / 2);  // a failure halfway
      return false;
    }
    std::memset(dst, kByte, size);
    return true;
  }
  static constexpr std::uint8_t kByte = 0x5A;
  bool fail = false;
  std::vector<std::string>* log = nullptr;
};

class FakeCompanion : public CompanionStarter {
 public:
  void start() override {
    ++starts;
    if (log) log->push_back("companion");
  }
  int starts = 0;
  std::vector<std::string>* log = nullptr;
};

class FakeSample : public OutputSample {
 public:
  explicit FakeSample(std::size_t size, std::uint8_t fill = 0xEE)
      : data_(size ? std::make_unique<std::uint8_t[]>(size) : nullptr), size_(size) {
    if (size) std::memset(data_.get(), fill, size);
  }
  std::uint8_t* data() override { return data_.get(); }
  std::size_t size() const override { return size_; }
  void set_time(std::int64_t s, std::int64_t e) override {
    start = s;
    stop = e;
  }
  void set_media_time(std::int64_t s, std::int64_t e) override {
    media_start = s;
    media_stop = e;
  }
  void set_sync_point(bool s) override { sync = s; }

  std::int64_t start = -1, stop = -1, media_start = -1, media_stop = -1;
  bool sync = false;

 private:
  std::unique_ptr<std::uint8_t[]> data_;
  std::size_t size_;
};

// Passes allocations on, refusing the sizes listed; records what was asked.
class RefusingMemory : public std::pmr::memory_resource {
 public:
  std::set<std::size_t> refuse;
  struct Request {
    std::size_t size, alignment;
  };
  std::vector<Request> requests;

 private:
  void* do_allocate(std::size_t bytes, std::size_t alignment) override {
    requests.push_back({bytes, alignment});
    if (refuse.count(bytes)) throw std::bad_alloc();
    return std::pmr::new_delete_resource()->allocate(bytes, alignment);
  }
  void do_deallocate(void* p, std::size_t bytes, std::size_t alignment) override {
    std::pmr::new_delete_resource()->deallocate(p, bytes, alignment);
  }
  bool do_is_equal(const std::pmr::memory_resource& o) const noexcept override { return this == &o; }
};

}  // namespace vcam::camera::testing
