#pragma once
// The camera in the system's filter graph, feeding the system Sample Grabber
// and Null Renderer, and the test publisher in its own process feeding the
// real frame channel: what the graph tests build on.
#include <windows.h>
#include <dshow.h>

#include <cstdint>
#include <string>

#include "camera/channel/win/frame_channel.h"
#include "camera/dshow/testing/grabber_graph.h"
#include "camera/filter/win/testing/camera_instance.h"
#include "camera/filter/win/video_media_type.h"
#include "common/win/folders.h"
#include "common/win/testing/program_run.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace vcam::camera::testing {

inline constexpr DWORD kGraphWaitMs = 20000;

// A camera made by its class factory's creation function, in a graph with
// the grabber and the renderer.
class CameraGraphFixture : public dshow::testing::GrabberGraphFixture {
 protected:
  void SetUp() override {
    ASSERT_NE(camera_.pin, nullptr);
    BuildGraph(camera_.filter.Get(), L"Camera");
  }

  HRESULT ChooseSize(std::int32_t width, std::int32_t height) {
    const dshow::CMediaType type = make_video_type({width, height}, 15);
    return camera_.pin->SetFormat(const_cast<AM_MEDIA_TYPE*>(&type.get()));
  }

  HRESULT ConnectCamera() { return ConnectThroughGrabber(camera_.pin); }
  HRESULT DisconnectCamera() { return DisconnectThroughGrabber(camera_.pin); }

  const VIDEOINFOHEADER* Connection(dshow::CMediaType* type) {
    if (camera_.pin->ConnectionMediaType(&type->get()) != S_OK) return nullptr;
    return video_info_of(type->get());
  }

  CameraInstance camera_;
};

// Polls `ready` every few milliseconds for up to `timeout_ms`.
template <typename Ready>
bool poll_until(Ready ready, DWORD timeout_ms = kGraphWaitMs) {
  const DWORD begin = ::GetTickCount();
  while (!ready()) {
    if (::GetTickCount() - begin > timeout_ms) return false;
    ::Sleep(2);
  }
  return true;
}

// vcam_publisher.exe, from beside the test unless another build's copy is
// named, publishing into the real frame channel; ended by its handle when the
// object goes.
class PublisherProcess {
 public:
  PublisherProcess() = default;
  ~PublisherProcess() { End(); }
  PublisherProcess(const PublisherProcess&) = delete;
  PublisherProcess& operator=(const PublisherProcess&) = delete;

  // Starts it and waits, up to 20 s, for its first picture: a stamp other
  // than the one the channel held before.
  bool Start(const std::wstring& options, std::wstring program = {}) {
    FrameChannel channel;
    if (!channel.open()) return false;
    const std::uint64_t before = channel.stamp();
    if (program.empty()) program = std::wstring(wide(application_folder())) + L"vcam_publisher.exe";
    process_ = vcam::testing::start_program(L"\"" + program + L"\" --quiet " + options);
    if (!process_) return false;
    return poll_until([&] { return channel.stamp() != before; });
  }

  void End() {
    if (!process_) return;
    ::TerminateProcess(process_.get(), 0);
    ::WaitForSingleObject(process_.get(), kGraphWaitMs);
    process_.reset();
  }

 private:
  UniqueHandle process_;
};

}  // namespace vcam::camera::testing
