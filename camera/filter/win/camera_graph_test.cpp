// The camera in the system's filter graph, feeding the system Sample Grabber
// and Null Renderer: connection sizes, time stamps, pacing, restarts and the
// companion start on connection; and a stop while a downstream pin asks the
// camera about a format change from its streaming thread.
#include <windows.h>
#include <dshow.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

#include <wrl/client.h>

#include "camera/dshow/testing/recording_sink.h"
#include "camera/dshow/testing/watched_allocator.h"
#include "camera/filter/win/testing/camera_graph.h"
#include "camera/filter/win/testing/companion_setup.h"
#include "camera/filter/win/testing/debug_output_capture.h"
#include "common/win/unique_handle.h"
#include "tools/publisher/pattern_check.h"

namespace vcam::camera {
namespace {

using CameraGraph = testing::CameraGraphFixture;

constexpr DWORD kWaitMs = testing::kGraphWaitMs;
constexpr REFERENCE_TIME kInterval = 666'666;

TEST_F(CameraGraph, ConnectsAtTheConfiguredVgaSize) {
  ASSERT_EQ(ConnectCamera(), S_OK);
  dshow::CMediaType type;
  const VIDEOINFOHEADER* info = Connection(&type);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->bmiHeader.biWidth, 640);
  EXPECT_EQ(info->bmiHeader.biHeight, 480);
}

TEST_F(CameraGraph, SetFormatBeforeConnectingChoosesTheSize) {
  ASSERT_EQ(ChooseSize(1280, 720), S_OK);
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
  EXPECT_EQ(ChooseSize(1280, 720), VFW_E_NOT_STOPPED);
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
  bool StartPublisher(const std::wstring& options) { return publisher_.Start(options); }
  testing::PublisherProcess publisher_;
};

TEST_F(CameraGraphPublished, PublishedPicturesReachTheClientUprightAtTheConnectedSize) {
  ASSERT_TRUE(StartPublisher(L"--size 800x600 --first-number 40"));
  recorder_.KeepData();
  ASSERT_EQ(ChooseSize(1280, 720), S_OK);
  ASSERT_EQ(ConnectCamera(), S_OK);
  ASSERT_TRUE(SUCCEEDED(control_->Run()));
  ASSERT_TRUE(recorder_.WaitFor(5, kWaitMs));
  ASSERT_EQ(control_->Stop(), S_OK);
  // 4:3 scaled and the middle 16:9 band cut out: rows 1/8 to 7/8 are shown.
  const std::vector<std::uint8_t> last = recorder_.Data(4);
  ASSERT_EQ(last.size(), 1280u * 720 * 3);
  const auto corners = publisher::check_pattern_corners(last.data(), 1280, 720, 0.125, 0.875);
  EXPECT_TRUE(corners.ok()) << corners.report;
  // Under load the pump may catch up with two samples inside one published
  // frame, so the moving pattern is looked for across all five.
  bool moved = false;
  for (int i = 0; i < 4 && !moved; ++i) moved = recorder_.Data(i) != last;
  EXPECT_TRUE(moved) << "the moving pattern changes while the client records";
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

// What the streaming thread and the test share; held by the sink's hook too,
// so it outlives a test that had to give up on a deadlock.
struct FormatProbe {
  UniqueHandle receiving{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  Microsoft::WRL::ComPtr<dshow::testing::WatchedAllocator> allocator{new dshow::testing::WatchedAllocator};
  dshow::testing::RecordingSink* sink = nullptr;
  std::atomic<bool> armed{false};
  std::atomic<bool> asked{false};
  std::atomic<bool> saw_decommit{false};
  std::atomic<HRESULT> same_size{E_FAIL};
  std::atomic<HRESULT> new_size{E_FAIL};
};

// A downstream pin that, on a dynamic format change, asks the upstream pin
// from inside Receive whether it would take a type. Here it asks once the
// camera has begun to stop, which is when the stop waits for this very
// thread.
TEST(CameraGraphStop, StopFinishesWhileTheStreamingThreadAsksTheCameraToAcceptAType) {
  using Microsoft::WRL::ComPtr;
  testing::CameraInstance camera;
  ASSERT_NE(camera.pin, nullptr);
  auto probe = std::make_shared<FormatProbe>();
  ASSERT_TRUE(probe->receiving);

  dshow::testing::SinkOptions options;
  options.allocator = probe->allocator;
  options.on_receive = [probe](IMediaSample*) {
    if (!probe->armed || probe->asked.exchange(true)) return;
    ::SetEvent(probe->receiving.get());
    probe->saw_decommit = probe->allocator->WaitForDecommit(kWaitMs);
    ComPtr<IPin> upstream;
    if (FAILED(probe->sink->Pin()->ConnectedTo(&upstream))) return;
    const dshow::CMediaType same = make_video_type({640, 480}, 15);
    const dshow::CMediaType wider = make_video_type({1280, 720}, 15);
    probe->same_size = upstream->QueryAccept(&same.get());
    probe->new_size = upstream->QueryAccept(&wider.get());
  };
  ComPtr<dshow::testing::RecordingSink> sink(new dshow::testing::RecordingSink(std::move(options)));
  probe->sink = sink.Get();

  ComPtr<IGraphBuilder> graph;
  ASSERT_EQ(::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph)), S_OK);
  ComPtr<IMediaControl> control;
  ASSERT_EQ(graph.As(&control), S_OK);
  ASSERT_EQ(graph->AddFilter(camera.filter.Get(), L"Camera"), S_OK);
  ASSERT_EQ(graph->AddFilter(sink.Get(), L"Sink"), S_OK);
  ASSERT_EQ(graph->ConnectDirect(camera.pin, sink->Pin(), nullptr), S_OK);
  ASSERT_EQ(sink->Pin()->NotifiedAllocator(), probe->allocator.Get());
  ASSERT_FALSE(probe->allocator->WaitForDecommit(0)) << "a decommit before the stop would let the probe in early";

  ASSERT_TRUE(SUCCEEDED(control->Run()));
  // The graph runs its filters on a worker that waits for the streaming
  // thread's reply, so the probe starts once the camera runs.
  ASSERT_TRUE(testing::poll_until([&] {
    FILTER_STATE state{};
    return SUCCEEDED(camera.filter->GetState(0, &state)) && state == State_Running;
  }));
  probe->armed = true;
  ASSERT_EQ(::WaitForSingleObject(probe->receiving.get(), kWaitMs), WAIT_OBJECT_0);
  // The stop runs on a thread of its own so that a deadlock fails the test
  // instead of hanging it.
  auto stopped = std::make_shared<std::atomic<HRESULT>>(E_PENDING);
  auto stop_done = std::make_shared<UniqueHandle>(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  IMediaControl* const stopping = control.Get();
  stopping->AddRef();
  std::thread stopper([stopping, stopped, stop_done] {
    *stopped = stopping->Stop();
    ::SetEvent(stop_done->get());
  });
  if (::WaitForSingleObject(stop_done->get(), kWaitMs) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "the stop and the streaming thread wait for each other";
    // Both threads stay blocked on these objects: leave them be.
    stopper.detach();
    (void)graph.Detach();
    (void)control.Detach();
    (void)sink.Detach();
    (void)camera.filter.Detach();
    return;
  }
  stopper.join();
  stopping->Release();
  EXPECT_EQ(stopped->load(), S_OK);
  EXPECT_TRUE(probe->saw_decommit);
  EXPECT_EQ(probe->same_size.load(), S_OK) << "the connected size is still accepted";
  EXPECT_EQ(probe->new_size.load(), S_FALSE) << "a size other than the configured one is not";
  EXPECT_FALSE(camera.pin->ThreadExists());
  ASSERT_EQ(graph->RemoveFilter(sink.Get()), S_OK);
  ASSERT_EQ(graph->RemoveFilter(camera.filter.Get()), S_OK);
}

}  // namespace
}  // namespace vcam::camera
