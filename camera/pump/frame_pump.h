#pragma once
// The frame pump: the streaming half of the camera's output pin. The pin calls
// it from its DirectShow overrides, one call per override:
//
//   Active                 -> active(), then the base activation
//   SetMediaType(mt)       -> set_media_type(biWidth, biHeight), then store mt
//   OnThreadCreate         -> on_thread_create(biWidth, biHeight) of the connection type
//   FillBuffer(sample)     -> fill_buffer(adapter of sample); E_POINTER for a null sample
//   OnThreadDestroy        -> on_thread_destroy()
//   destructor             -> ~FramePump (the pin closes its FrameChannel after it)
//
// The pin holds the filter's state lock around every call; the pump itself
// does not lock. Nothing here includes <windows.h>: the Windows collaborators
// (FrameChannel, timeGetTime/Sleep, the GDI placeholder, RunVCAPP, the
// IMediaSample adapter) are injected through the interfaces below.
#include <cstddef>
#include <cstdint>
#include <memory_resource>

#include "camera/channel/frame_source.h"
#include "camera/pump/pump_buffer.h"
#include "camera/pump/scale_state.h"

namespace vcam::camera {

inline constexpr std::int64_t kFramesPerSecond = 15;
inline constexpr std::int64_t kFrameInterval = 10'000'000 / kFramesPerSecond;  // 100 ns: 666,666
inline constexpr std::uint32_t kPacingSleepMs = 5;
inline constexpr std::uint32_t kStaleIntervalMs = 2000;

// One media sample being filled. The pin adapts IMediaSample to it.
class OutputSample {
 public:
  virtual ~OutputSample() = default;
  virtual std::uint8_t* data() = 0;  // null when the sample has no buffer
  virtual std::size_t size() const = 0;
  virtual void set_time(std::int64_t start, std::int64_t stop) = 0;        // 100-ns units
  virtual void set_media_time(std::int64_t start, std::int64_t stop) = 0;  // frame numbers
  virtual void set_sync_point(bool sync) = 0;
};

// timeGetTime and Sleep.
class PumpClock {
 public:
  virtual ~PumpClock() = default;
  // Millisecond tick; wraps at 2^32 like timeGetTime, only differences count.
  virtual std::uint32_t tick_ms() = 0;
  virtual void sleep_ms(std::uint32_t ms) = 0;
};

// Draws the built-in placeholder picture at the output size.
class PlaceholderBuilder {
 public:
  virtual ~PlaceholderBuilder() = default;
  // Fills `dst` (`size` = dib_stride24(width) x height bytes) with the picture
  // stretched to width x height, bottom-up 24-bit BGR. False on failure; `dst`
  // then keeps what the failed step left.
  virtual bool build(std::int32_t width, std::int32_t height, std::uint8_t* dst, std::size_t size) = 0;
};

// Starts the companion application when it is not running (RunVCAPP).
class CompanionStarter {
 public:
  virtual ~CompanionStarter() = default;
  virtual void start() = 0;
};

class FramePump {
 public:
  // The collaborators must outlive the pump. Buffers come from `memory`.
  FramePump(FrameSource& source, PumpClock& clock, PlaceholderBuilder& placeholder,
            CompanionStarter& companion,
            std::pmr::memory_resource* memory = std::pmr::new_delete_resource());
  FramePump(const FramePump&) = delete;
  FramePump& operator=(const FramePump&) = delete;

  // Resets the stream clock and the freshness state.
  void active();

  // Starts the companion application, then prepares the output geometry, the
  // placeholder and, for exact 16:9 sizes, the work picture. `bi_height` may be
  // negative; its magnitude is the output height.
  void set_media_type(std::int32_t bi_width, std::int32_t bi_height);

  // Rebuilds the geometry and the work picture that on_thread_destroy() cleared,
  // from the connection type, when streaming restarts without set_media_type().
  // Does nothing when they are already in place for this size.
  void on_thread_create(std::int32_t bi_width, std::int32_t bi_height);

  // Paces to 15 frames per second, stamps the sample and fills it with the
  // latest published picture or the placeholder. Never writes past size().
  void fill_buffer(OutputSample& sample);

  // Clears the output geometry and frees the work picture; the placeholder,
  // staging image and scaler stay.
  void on_thread_destroy();

  // Read-only view of the state, for tests and diagnostics.
  struct Inspection {
    std::int32_t out_width, out_height;
    std::size_t out_size;
    std::int32_t work_width, work_height;
    std::size_t crop_offset;
    std::size_t placeholder_size;
    std::int32_t staging_width, staging_height;
    std::size_t staging_size, staging_capacity;
    std::uint64_t frame_counter;
    std::int64_t next_sample_time;
    unsigned scaler_builds;
  };
  Inspection inspect() const;

 private:
  struct PlaceholderPicture {
    PumpBuffer buffer;
    std::int32_t width = 0, height = 0;  // the output size it was built for
  };
  struct WorkPicture {
    PumpBuffer buffer;
    std::int32_t width = 0, height = 0;
    std::size_t crop_offset = 0;
  };
  struct StagingImage {
    std::int32_t width = 0, height = 0;  // height negated: negative = top row first
    std::size_t size = 0;
    PumpBuffer buffer;                   // capacity = buffer.size(), only grows
  };

  std::uint64_t elapsed_ms();
  void prepare_geometry(std::int32_t bi_width, std::int32_t bi_height);
  void build_placeholder();
  void build_work_picture();
  bool rebuild_staging(std::int32_t width, std::int32_t height);
  bool convert_into(OutputSample& sample);
  void copy_placeholder(OutputSample& sample);

  FrameSource& source_;
  PumpClock& clock_;
  PlaceholderBuilder& placeholder_builder_;
  CompanionStarter& companion_;
  std::pmr::memory_resource* memory_;

  // Stream clock. Elapsed time is summed from 32-bit tick differences, so a
  // wrap of the system tick during streaming is just another step forward.
  std::uint32_t last_tick_ = 0;
  std::uint64_t elapsed_ms_ = 0;
  std::int64_t next_sample_time_ = 0;
  std::uint64_t frame_counter_ = 0;

  // Output geometry.
  std::int32_t out_width_ = 0, out_height_ = 0;
  std::size_t out_size_ = 0;

  PlaceholderPicture placeholder_;
  WorkPicture work_;
  StagingImage staging_;
  ScaleState scale_;

  // Freshness, on the elapsed-time scale of the stream clock.
  std::uint64_t last_stamp_ = 0;
  std::uint64_t last_new_picture_ms_ = 0;
};

}  // namespace vcam::camera
