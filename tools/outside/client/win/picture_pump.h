#pragma once
// Publishes the client's pictures into the camera's frame channel at 15 a
// second on a thread of its own: each picture is composed at the working size
// (the test card or the screen), reduced to the channel's size and written
// under the frame mutex, stamp last. Stopping withdraws the picture, so the
// camera shows its placeholder at once.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "camera/channel/channel_names.h"
#include "common/win/unique_handle.h"
#include "tools/outside/client/channel_picture.h"
#include "tools/outside/client/client_autopilot.h"
#include "tools/outside/client/test_card.h"
#include "tools/outside/client/win/screen_grabber.h"
#include "tools/publisher/win/frame_publisher.h"

namespace vcam::client {

inline constexpr std::uint32_t kPicturesPerSecond = 15;

class PicturePump {
 public:
  explicit PicturePump(camera::RegionNames names = camera::kFrameChannelNames);
  ~PicturePump() { stop(); }
  PicturePump(const PicturePump&) = delete;
  PicturePump& operator=(const PicturePump&) = delete;

  // Opens the channel and starts the thread; after each published picture it
  // posts `message` to `notify` with the number published so far in wParam.
  // Idempotent.
  bool start(HWND notify, UINT message);
  // Ends the thread and withdraws the picture. Idempotent.
  void stop();

  void set_source(PictureSource source) { source_ = source; }
  PictureSource source() const { return source_; }
  std::uint64_t published() const { return published_; }
  PictureSize channel_size() const { return channel_size_; }

  // One picture composed, reduced and published on the calling thread (the
  // benchmark's unit of work). False when the source or the channel failed.
  bool publish_one();
  bool open() { return publisher_.open(); }
  bool withdraw() { return publisher_.withdraw(); }

 private:
  static DWORD WINAPI thread_main(void* self);
  void run();

  publisher::FramePublisher publisher_;
  std::atomic<PictureSource> source_{PictureSource::TestCard};
  std::atomic<std::uint64_t> published_{0};
  PictureSize channel_size_;
  std::uint64_t first_stamp_;
  std::vector<std::uint8_t> working_;
  std::vector<std::uint8_t> reduced_;
  TestCard card_;
  ScreenGrabber screen_;
  PictureReducer reducer_;
  UniqueHandle stop_event_;
  UniqueHandle thread_;
  HWND notify_ = nullptr;
  UINT message_ = 0;
};

}  // namespace vcam::client
