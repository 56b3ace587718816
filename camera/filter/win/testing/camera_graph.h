#pragma once
// The camera in the system's filter graph, feeding the system Sample Grabber
// and Null Renderer, and the test publisher in its own process feeding the
// real frame channel: what the graph tests build on.
#include <windows.h>
#include <dshow.h>
#include <qedit.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include <wrl/client.h>

#include "camera/channel/win/frame_channel.h"
#include "camera/dshow/system_filters.h"
#include "camera/dshow/testing/sample_recorder.h"
#include "camera/filter/win/testing/camera_instance.h"
#include "camera/filter/win/video_media_type.h"
#include "common/win/folders.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace vcam::camera::testing {

inline constexpr DWORD kGraphWaitMs = 20000;

inline Microsoft::WRL::ComPtr<IPin> first_pin(IBaseFilter* filter, PIN_DIRECTION wanted) {
  Microsoft::WRL::ComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(&pins))) return nullptr;
  Microsoft::WRL::ComPtr<IPin> pin;
  while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
    PIN_DIRECTION direction{};
    if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == wanted) return pin;
  }
  return nullptr;
}

// A camera made by its class factory's creation function, in a graph with
// the grabber and the renderer. Samples reach `callback` (the recorder
// unless a test installs another one with UseCallback before connecting).
class CameraGraphFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(camera_.pin, nullptr);
    ASSERT_EQ(::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph_)), S_OK);
    ASSERT_EQ(::CoCreateInstance(dshow::kSampleGrabberClsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&grabber_)),
              S_OK);
    ASSERT_EQ(::CoCreateInstance(dshow::kNullRendererClsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&renderer_)),
              S_OK);
    ASSERT_EQ(graph_->AddFilter(camera_.filter.Get(), L"Camera"), S_OK);
    ASSERT_EQ(graph_->AddFilter(grabber_.Get(), L"Grabber"), S_OK);
    ASSERT_EQ(graph_->AddFilter(renderer_.Get(), L"Renderer"), S_OK);
    Microsoft::WRL::ComPtr<ISampleGrabber> grab;
    ASSERT_EQ(grabber_.As(&grab), S_OK);
    AM_MEDIA_TYPE wanted{};
    wanted.majortype = MEDIATYPE_Video;
    wanted.subtype = MEDIASUBTYPE_RGB24;
    ASSERT_EQ(grab->SetMediaType(&wanted), S_OK);
    ASSERT_EQ(grab->SetCallback(&recorder_, 0), S_OK);
    ASSERT_EQ(graph_.As(&control_), S_OK);
  }

  // The grabber lets go of its callback while the callback still exists:
  // callbacks are members that go before the graph does.
  void TearDown() override {
    if (control_) control_->Stop();
    if (graph_) graph_->RemoveFilter(camera_.filter.Get());
    UseCallback(nullptr);
  }

  // Samples go to `callback` instead of the recorder; it must live until
  // TearDown, which lets go of it.
  HRESULT UseCallback(ISampleGrabberCB* callback) {
    if (!grabber_) return E_POINTER;
    Microsoft::WRL::ComPtr<ISampleGrabber> grab;
    const HRESULT hr = grabber_.As(&grab);
    return FAILED(hr) ? hr : grab->SetCallback(callback, 0);
  }

  HRESULT ChooseSize(std::int32_t width, std::int32_t height) {
    const dshow::CMediaType type = make_video_type({width, height}, 15);
    return camera_.pin->SetFormat(const_cast<AM_MEDIA_TYPE*>(&type.get()));
  }

  // The grabber's output takes its type from its input, so it is connected
  // after the camera and let go before it.
  HRESULT ConnectCamera() {
    HRESULT hr = graph_->ConnectDirect(camera_.pin, first_pin(grabber_.Get(), PINDIR_INPUT).Get(), nullptr);
    if (FAILED(hr)) return hr;
    return graph_->ConnectDirect(first_pin(grabber_.Get(), PINDIR_OUTPUT).Get(),
                                 first_pin(renderer_.Get(), PINDIR_INPUT).Get(), nullptr);
  }
  HRESULT DisconnectCamera() {
    for (IBaseFilter* filter : {renderer_.Get(), grabber_.Get()}) {
      for (PIN_DIRECTION direction : {PINDIR_INPUT, PINDIR_OUTPUT}) {
        Microsoft::WRL::ComPtr<IPin> pin = first_pin(filter, direction);
        if (pin) graph_->Disconnect(pin.Get());
      }
    }
    return graph_->Disconnect(camera_.pin);
  }

  const VIDEOINFOHEADER* Connection(dshow::CMediaType* type) {
    if (camera_.pin->ConnectionMediaType(&type->get()) != S_OK) return nullptr;
    return video_info_of(type->get());
  }

  CameraInstance camera_;
  Microsoft::WRL::ComPtr<IGraphBuilder> graph_;
  Microsoft::WRL::ComPtr<IBaseFilter> grabber_, renderer_;
  Microsoft::WRL::ComPtr<IMediaControl> control_;
  dshow::testing::SampleRecorder recorder_;
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

// vcam_publisher.exe from beside the test, publishing into the real frame
// channel; ended by its handle when the object goes.
class PublisherProcess {
 public:
  PublisherProcess() = default;
  ~PublisherProcess() { End(); }
  PublisherProcess(const PublisherProcess&) = delete;
  PublisherProcess& operator=(const PublisherProcess&) = delete;

  // Starts it and waits, up to 20 s, for its first picture: a stamp other
  // than the one the channel held before.
  bool Start(const std::wstring& options) {
    FrameChannel channel;
    if (!channel.open()) return false;
    const std::uint64_t before = channel.stamp();
    std::wstring command =
        L"\"" + std::wstring(wide(application_folder())) + L"vcam_publisher.exe\" --quiet " + options;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
      return false;
    process_.reset(info.hProcess);
    ::CloseHandle(info.hThread);
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
