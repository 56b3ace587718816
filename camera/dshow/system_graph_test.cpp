// The base classes in the system's filter graph: a test source feeding the
// system Sample Grabber and Null Renderer.
#include <windows.h>
#include <dshow.h>

#include <gtest/gtest.h>

#include <wrl/client.h>

#include "camera/dshow/testing/grabber_graph.h"
#include "camera/dshow/testing/test_source.h"
#include "camera/dshow/testing/video_types.h"

namespace vcam::dshow {
namespace {

using Microsoft::WRL::ComPtr;
using testing::rgb24_type;
using testing::TestSource;
using testing::TestStreamOptions;

constexpr DWORD kWaitMs = 20000;

class SystemGraph : public testing::GrabberGraphFixture {
 protected:
  void Build(TestStreamOptions options) {
    source_ = new TestSource(std::move(options));
    ASSERT_NO_FATAL_FAILURE(BuildGraph(source_.Get(), L"Source"));
    ASSERT_EQ(ConnectThroughGrabber(source_->Stream()), S_OK);
    ASSERT_EQ(graph_->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(events_.GetAddressOf())), S_OK);
  }

  static TestStreamOptions limited(long samples) {
    TestStreamOptions options;
    options.offered = {rgb24_type(32, 16)};
    options.sample_limit = samples;
    return options;
  }

  ComPtr<TestSource> source_;
  ComPtr<IMediaEvent> events_;
};

TEST_F(SystemGraph, JoiningTheGraphGivesNameGraphAndClock) {
  Build(limited(1));
  FILTER_INFO info{};
  ASSERT_EQ(source_->QueryFilterInfo(&info), S_OK);
  EXPECT_STREQ(info.achName, L"Source");
  ASSERT_NE(info.pGraph, nullptr);
  info.pGraph->Release();
  ASSERT_TRUE(SUCCEEDED(control_->Pause()));
  ComPtr<IReferenceClock> clock;
  ASSERT_EQ(source_->GetSyncSource(&clock), S_OK);
  EXPECT_NE(clock, nullptr) << "the graph hands its clock to every filter";
}

TEST_F(SystemGraph, RunDeliversEverySampleAndCompletes) {
  Build(limited(20));
  ASSERT_TRUE(SUCCEEDED(control_->Run()));
  long code = 0;
  ASSERT_EQ(events_->WaitForCompletion(kWaitMs, &code), S_OK);
  EXPECT_EQ(code, EC_COMPLETE);
  const auto samples = recorder_.Samples();
  ASSERT_EQ(samples.size(), 20u);
  for (size_t i = 0; i < samples.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(samples[i].start, static_cast<REFERENCE_TIME>(i) * 100000);
    EXPECT_EQ(samples[i].stop, static_cast<REFERENCE_TIME>(i + 1) * 100000);
    EXPECT_EQ(samples[i].media_start, static_cast<LONGLONG>(i));
    EXPECT_EQ(samples[i].first_byte, i);
    EXPECT_EQ(samples[i].length, 96 * 16);
  }
}

TEST_F(SystemGraph, StopAndRunAgainOnTheSameConnectionDeliversAgain) {
  Build(limited(0));
  ASSERT_TRUE(SUCCEEDED(control_->Run()));
  ASSERT_TRUE(recorder_.WaitFor(5, kWaitMs));
  ASSERT_EQ(control_->Stop(), S_OK);
  EXPECT_FALSE(source_->Stream()->ThreadExists());
  recorder_.Clear();
  ASSERT_TRUE(SUCCEEDED(control_->Run()));
  ASSERT_TRUE(recorder_.WaitFor(5, kWaitMs));
  ASSERT_EQ(control_->Stop(), S_OK);
  EXPECT_EQ(recorder_.Samples()[0].start, 0);
}

TEST_F(SystemGraph, FillErrorAbortsThePlayback) {
  TestStreamOptions options = limited(0);
  options.fail_at = 3;
  options.fail_with = E_OUTOFMEMORY;
  Build(std::move(options));
  ASSERT_TRUE(SUCCEEDED(control_->Run()));
  // The end of stream goes out first, so completion may be reported before
  // the abort is queued; the graph's event handle can also be left signalled
  // over an empty queue, so a read that finds nothing is not the end either.
  long code = 0;
  ASSERT_EQ(events_->WaitForCompletion(kWaitMs, &code), S_OK);
  bool aborted = false;
  const DWORD started = ::GetTickCount();
  while (!aborted && ::GetTickCount() - started < kWaitMs) {
    LONG_PTR param1 = 0, param2 = 0;
    if (events_->GetEvent(&code, &param1, &param2, 100) != S_OK) continue;
    if (code == EC_ERRORABORT && param1 == E_OUTOFMEMORY) aborted = true;
    events_->FreeEventParams(code, param1, param2);
  }
  EXPECT_TRUE(aborted);
  EXPECT_EQ(recorder_.Samples().size(), 3u);
}

TEST_F(SystemGraph, PausedGraphStopsCleanly) {
  Build(limited(0));
  ASSERT_TRUE(SUCCEEDED(control_->Pause()));
  OAFilterState state = State_Stopped;
  control_->GetState(kWaitMs, &state);
  EXPECT_EQ(state, State_Paused);
  ASSERT_EQ(control_->Stop(), S_OK);
  EXPECT_FALSE(source_->Stream()->ThreadExists());
}

}  // namespace
}  // namespace vcam::dshow
