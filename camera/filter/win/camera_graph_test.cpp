// The camera in the system's filter graph, feeding the system Sample Grabber
// and Null Renderer: connection sizes, time stamps, pacing, restarts and the
// companion start on connection.
#include <windows.h>
#include <dshow.h>
#include <mmsystem.h>
#include <qedit.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <wrl/client.h>

#include "camera/dshow/system_filters.h"
#include "camera/dshow/testing/sample_recorder.h"
#include "camera/filter/win/testing/camera_instance.h"
#include "camera/filter/win/testing/companion_setup.h"
#include "camera/filter/win/testing/debug_output_capture.h"
#include "camera/channel/win/frame_channel.h"
#include "camera/filter/win/video_media_type.h"
#include "common/win/folders.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "tools/publisher/pattern_check.h"

namespace vcam::camera {
namespace {

using dshow::testing::SampleRecorder;
using Microsoft::WRL::ComPtr;

constexpr DWORD kWaitMs = 20000;
constexpr REFERENCE_TIME kInterval = 666'666;

ComPtr<IPin> first_pin(IBaseFilter* filter, PIN_DIRECTION wanted) {
  ComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(&pins))) return nullptr;
  ComPtr<IPin> pin;
  while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
    PIN_DIRECTION direction{};
    if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == wanted) return pin;
  }
  return nullptr;
}

class CameraGraph : public ::testing::Test {
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
    ComPtr<ISampleGrabber> grab;
    ASSERT_EQ(grabber_.As(&grab), S_OK);
    AM_MEDIA_TYPE wanted{};
    wanted.majortype = MEDIATYPE_Video;
    wanted.subtype = MEDIASUBTYPE_RGB24;
    ASSERT_EQ(grab->SetMediaType(&wanted), S_OK);
    ASSERT_EQ(grab->SetCallback(&recorder_, 0), S_OK);
    ASSERT_EQ(graph_.As(&control_), S_OK);
  }

  void TearDown() override {
    if (control_) control_->Stop();
    if (graph_) graph_->RemoveFilter(camera_.filter.Get());
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
        ComPtr<IPin> pin = first_pin(filter, direction);
        if (pin) graph_->Disconnect(pin.Get());
      }
    }
    return graph_->Disconnect(camera_.pin);
  }

  const VIDEOINFOHEADER* Connection(dshow::CMediaType* type) {
    if (camera_.pin->ConnectionMediaType(&type->get()) != S_OK) return nullptr;
    return video_info_of(type->get());
  }

  testing::CameraInstance camera_;
  ComPtr<IGraphBuilder> graph_;
  ComPtr<IBaseFilter> grabber_, renderer_;
  ComPtr<IMediaControl> control_;
  SampleRecorder recorder_;
};

TEST_F(CameraGraph, ConnectsAtTheConfiguredVgaSize) {
  ASSERT_EQ(ConnectCamera(), S_OK);
  dshow::CMediaType type;
  const VIDEOINFOHEADER* info = Connection(&type);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->bmiHeader.biWidth, 640);
  EXPECT_EQ(info->bmiHeader.biHeight, 480);
}

TEST_F(CameraGraph, SetFormatBeforeConnectingChoosesTheSize) {
  const dshow::CMediaType hd = make_video_type({1280, 720}, 15);
  ASSERT_EQ(camera_.pin->SetFormat(const_cast<AM_MEDIA_TYPE*>(&hd.get())), S_OK);
  ASSERT_EQ(ConnectCamera(), S_OK);
  dshow::CMediaType type;
  const VIDEOINFOHEADER* info = Connection(&type);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->bmiHeader.biWidth, 1280);
  EXPECT_EQ(info->bmiHeader.biHeight, 720);
  ASSERT_TRUE(SUCCEEDED(control_->Run()));
  ASSERT_TRUE(recorder_.WaitFor(2, kWaitMs));
  EXPECT_EQ(recorder_.Samples()[0].length, 1280 * 720 * 3);
  // The connection keeps its size; a new one would need a stop first.
  EXPECT_EQ(camera_.pin->SetFormat(const_cast<AM_MEDIA_TYPE*>(&hd.get())), VFW_E_NOT_STOPPED);
}

TEST_F(CameraGraph, SamplesCarryFifteenFramesASecondStamps) {
  ASSERT_EQ(ConnectCamera(), S_OK);
  const DWORD before = ::timeGetTime();
  ASSERT_TRUE(SUCCEEDED(control_->Run()));
  ASSERT_TRUE(recorder_.WaitFor(16, kWaitMs));
  const auto samples = recorder_.Samples();
  for (size_t i = 0; i < 16; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(samples[i].time_result, S_OK);
    EXPECT_EQ(samples[i].start, static_cast<REFERENCE_TIME>(i) * kInterval);
    EXPECT_EQ(samples[i].stop, static_cast<REFERENCE_TIME>(i + 1) * kInterval);
    EXPECT_EQ(samples[i].media_time_result, S_OK);
    EXPECT_EQ(samples[i].media_start, static_cast<LONGLONG>(i));
    EXPECT_EQ(samples[i].media_stop, static_cast<LONGLONG>(i + 1));
    EXPECT_TRUE(samples[i].sync_point);
    EXPECT_FALSE(samples[i].discontinuity);
    EXPECT_FALSE(samples[i].preroll);
    EXPECT_EQ(samples[i].length, 921'600);
  }
  EXPECT_EQ(samples[15].start, 9'999'990);
  // Sample 15 is due at 999 ms and filled only once that has passed.
  EXPECT_GE(samples[15].tick - before, 1000u);
}

TEST_F(CameraGraph, StopAndRunAgainOnTheSameConnectionDelivers) {
  ASSERT_EQ(ConnectCamera(), S_OK);
  ASSERT_TRUE(SUCCEEDED(control_->Run()));
  ASSERT_TRUE(recorder_.WaitFor(3, kWaitMs));
  ASSERT_EQ(control_->Stop(), S_OK);
  recorder_.Clear();
  ASSERT_TRUE(SUCCEEDED(control_->Run()));
  ASSERT_TRUE(recorder_.WaitFor(3, kWaitMs));
  const auto samples = recorder_.Samples();
  EXPECT_EQ(samples[0].start, 0) << "the stream clock restarts with the stream";
  EXPECT_EQ(samples[0].length, 921'600);
  ASSERT_EQ(control_->Stop(), S_OK);
}

TEST_F(CameraGraph, PauseRunPauseKeepsOneStream) {
  ASSERT_EQ(ConnectCamera(), S_OK);
  ASSERT_TRUE(SUCCEEDED(control_->Pause()));
  ASSERT_TRUE(SUCCEEDED(control_->Run()));
  ASSERT_TRUE(recorder_.WaitFor(2, kWaitMs));
  ASSERT_TRUE(SUCCEEDED(control_->Pause()));
  ASSERT_TRUE(SUCCEEDED(control_->Run()));
  ASSERT_TRUE(recorder_.WaitFor(4, kWaitMs));
  ASSERT_EQ(control_->Stop(), S_OK);
  const auto samples = recorder_.Samples();
  for (size_t i = 1; i < samples.size(); ++i) EXPECT_EQ(samples[i].start, samples[i - 1].stop) << i;
}

TEST_F(CameraGraph, WithoutAPublisherEverySampleIsThePlaceholder) {
  recorder_.KeepData();
  ASSERT_EQ(ConnectCamera(), S_OK);
  ASSERT_TRUE(SUCCEEDED(control_->Run()));
  ASSERT_TRUE(recorder_.WaitFor(3, kWaitMs));
  ASSERT_EQ(control_->Stop(), S_OK);
  const std::vector<std::uint8_t> first = recorder_.Data(0);
  ASSERT_EQ(first.size(), 921'600u);
  EXPECT_EQ(recorder_.Data(1), first);
  EXPECT_EQ(recorder_.Data(2), first);
  EXPECT_NE(std::count(first.begin(), first.end(), first[0]), static_cast<long>(first.size()))
      << "a picture, not a plain fill";
}

// The test publisher in its own process, feeding the real frame channel.
class CameraGraphPublished : public CameraGraph {
 protected:
  void TearDown() override {
    CameraGraph::TearDown();
    if (publisher_) {
      ::TerminateProcess(publisher_.get(), 0);
      ::WaitForSingleObject(publisher_.get(), kWaitMs);
    }
  }
  bool StartPublisher(const std::wstring& options) {
    std::wstring command =
        L"\"" + std::wstring(wide(application_folder())) + L"vcam_publisher.exe\" --quiet " + options;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
      return false;
    publisher_.reset(info.hProcess);
    ::CloseHandle(info.hThread);
    // Polls the header until the first picture is there, for up to 20 s.
    FrameChannel channel;
    if (!channel.open()) return false;
    for (int i = 0; i < 2000 && channel.stamp() == 0; ++i) ::Sleep(10);
    return channel.stamp() != 0;
  }
  UniqueHandle publisher_;
};

TEST_F(CameraGraphPublished, PublishedPicturesReachTheClientUprightAtTheConnectedSize) {
  ASSERT_TRUE(StartPublisher(L"--size 800x600 --first-number 40"));
  recorder_.KeepData();
  const dshow::CMediaType hd = make_video_type({1280, 720}, 15);
  ASSERT_EQ(camera_.pin->SetFormat(const_cast<AM_MEDIA_TYPE*>(&hd.get())), S_OK);
  ASSERT_EQ(ConnectCamera(), S_OK);
  ASSERT_TRUE(SUCCEEDED(control_->Run()));
  ASSERT_TRUE(recorder_.WaitFor(5, kWaitMs));
  ASSERT_EQ(control_->Stop(), S_OK);
  // 4:3 scaled and the middle 16:9 band cut out: rows 1/8 to 7/8 are shown.
  const std::vector<std::uint8_t> last = recorder_.Data(4);
  ASSERT_EQ(last.size(), 1280u * 720 * 3);
  const auto corners = publisher::check_pattern_corners(last.data(), 1280, 720, 0.125, 0.875);
  EXPECT_TRUE(corners.ok()) << corners.report;
  EXPECT_NE(recorder_.Data(3), last) << "the moving pattern changes from sample to sample";
}

class CameraGraphCompanion : public CameraGraph {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing::companion_processes().empty());
    CameraGraph::SetUp();
  }
  testing::CompanionSetup companion_;
};

TEST_F(CameraGraphCompanion, ConnectingStartsTheCompanionAndReconnectingFindsItRunning) {
  companion_.SetRun(testing::CompanionSetup::StubPath());
  testing::DebugOutputCapture debug;
  ASSERT_EQ(ConnectCamera(), S_OK);
  ASSERT_TRUE(testing::wait_for_companions(1, kWaitMs));
  ASSERT_EQ(DisconnectCamera(), S_OK);
  ASSERT_EQ(ConnectCamera(), S_OK);
  EXPECT_EQ(testing::companion_processes().size(), 1u);
  const auto messages = debug.Messages();
  EXPECT_EQ(std::count(messages.begin(), messages.end(), std::string("RunVCAPP:app is already running\n")), 1);
}

}  // namespace
}  // namespace vcam::camera
