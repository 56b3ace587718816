#include "tools/outside/client/win/picture_pump.h"

#include <utility>

namespace vcam::client {

PicturePump::PicturePump(camera::RegionNames names)
    // The pump keeps its pace: a frame mutex busy beyond the readers' bound
    // skips one picture rather than delaying the next.
    : publisher_(std::move(names), camera::kChannelLockTimeoutMs),
      channel_size_(channel_picture_size(kWorkingWidth, kWorkingHeight, camera::kFramePixelAreaSize)),
      // Stamps start from the clock, so a restarted client never repeats the
      // last stamp a reader saw.
      first_stamp_((::GetTickCount64() << 16) | 1),
      working_(static_cast<std::size_t>(kWorkingWidth) * kWorkingHeight * 4),
      reduced_(static_cast<std::size_t>(channel_size_.width) * channel_size_.height * 4) {}

bool PicturePump::publish_one() {
  bool composed = false;
  if (source_ == PictureSource::Screen) {
    composed = screen_.grab(working_.data(), kWorkingWidth, kWorkingHeight);
  } else {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    composed = card_.draw(working_.data(), working_.size(), kWorkingWidth, kWorkingHeight,
                          {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds});
  }
  if (!composed) return false;
  if (!reducer_.reduce(working_.data(), kWorkingWidth, kWorkingHeight, reduced_.data(), channel_size_.width,
                       channel_size_.height))
    return false;
  if (!publisher_.publish(reduced_.data(), channel_size_.width, channel_size_.height, first_stamp_ + published_))
    return false;
  ++published_;
  return true;
}

bool PicturePump::start(HWND notify, UINT message) {
  if (thread_) return true;
  if (!publisher_.open()) return false;
  stop_event_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!stop_event_) return false;
  notify_ = notify;
  message_ = message;
  thread_.reset(::CreateThread(nullptr, 0, thread_main, this, 0, nullptr));
  if (!thread_) stop_event_.reset();
  return static_cast<bool>(thread_);
}

void PicturePump::stop() {
  if (!thread_) return;
  ::SetEvent(stop_event_.get());
  // Every wait of the thread is bounded (the frame mutex by 100 ms, the pace
  // by the stop event), so it ends within one picture's work.
  ::WaitForSingleObject(thread_.get(), INFINITE);
  thread_.reset();
  stop_event_.reset();
  // A withdrawal that meets a busy mutex is covered by the readers' 2-second
  // stale interval: no stamp changes any more.
  publisher_.withdraw();
}

DWORD WINAPI PicturePump::thread_main(void* self) {
  static_cast<PicturePump*>(self)->run();
  return 0;
}

void PicturePump::run() {
  const ULONGLONG start = ::GetTickCount64();
  for (std::uint64_t tick = 0;; ++tick) {
    if (publish_one() && notify_) ::PostMessageW(notify_, message_, static_cast<WPARAM>(published_), 0);
    // Sleep towards the next absolute deadline; a late picture is not made up.
    ULONGLONG due = start + (tick + 1) * 1000 / kPicturesPerSecond;
    const ULONGLONG now = ::GetTickCount64();
    if (due < now) {
      tick = (now - start) * kPicturesPerSecond / 1000;
      due = start + (tick + 1) * 1000 / kPicturesPerSecond;
    }
    if (::WaitForSingleObject(stop_event_.get(), static_cast<DWORD>(due - now)) != WAIT_TIMEOUT) return;
  }
}

}  // namespace vcam::client
