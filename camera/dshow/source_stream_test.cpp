// The push pin's streaming thread: start and stop through the filter state,
// the per-thread hooks, delivery, end of stream and errors, and a stop that
// waits for a streaming thread which needs the filter lock.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <wrl/client.h>

#include "camera/dshow/testing/recording_sink.h"
#include "camera/dshow/testing/source_sink_pair.h"
#include "camera/dshow/testing/test_source.h"
#include "camera/dshow/testing/video_types.h"
#include "camera/dshow/testing/watched_allocator.h"
#include "common/win/unique_handle.h"

namespace vcam::dshow {
namespace {

using Microsoft::WRL::ComPtr;
using testing::rgb24_type;
using testing::SinkOptions;
using testing::TestSource;
using testing::TestStreamOptions;
using Strings = std::vector<std::string>;

constexpr DWORD kWaitMs = 10000;

struct Connected : testing::SourceSinkPair {
  explicit Connected(TestStreamOptions options, SinkOptions sink_options = {})
      : SourceSinkPair(std::move(options), std::move(sink_options)) {
    connected = out()->Connect(in(), nullptr);
    source->Stream()->ClearEvents();
  }
  HRESULT connected;
};

TestStreamOptions one_type() {
  TestStreamOptions options;
  options.offered = {rgb24_type(16, 8)};
  return options;
}

TEST(SourceStream, PauseStartsTheThreadAndStopEndsIt) {
  Connected c(one_type());
  ASSERT_EQ(c.connected, S_OK);
  EXPECT_FALSE(c.source->Stream()->ThreadExists());
  ASSERT_EQ(c.source->Pause(), S_OK);
  EXPECT_TRUE(c.source->Stream()->ThreadExists());
  ASSERT_TRUE(c.sink->Pin()->WaitForSamples(3, kWaitMs));
  ASSERT_EQ(c.source->Stop(), S_OK);
  EXPECT_FALSE(c.source->Stream()->ThreadExists());
  EXPECT_EQ(c.source->Stream()->Events(), (Strings{"create", "start", "fill", "destroy"}));
  EXPECT_NE(c.source->Stream()->StreamingThreadId(), ::GetCurrentThreadId());
}

TEST(SourceStream, StartAndStopAreIdempotent) {
  Connected c(one_type());
  ASSERT_EQ(c.source->Pause(), S_OK);
  ASSERT_EQ(c.source->Pause(), S_OK);
  ASSERT_EQ(c.source->Run(0), S_OK);
  ASSERT_EQ(c.source->Run(0), S_OK);
  ASSERT_EQ(c.source->Stream()->Active(), S_OK);
  ASSERT_EQ(c.source->Stop(), S_OK);
  ASSERT_EQ(c.source->Stop(), S_OK);
  c.source->Stream()->StopStreaming();
  const Strings events = c.source->Stream()->Events();
  EXPECT_EQ(std::count(events.begin(), events.end(), "create"), 1);
  EXPECT_EQ(std::count(events.begin(), events.end(), "destroy"), 1);
}

TEST(SourceStream, SamplesCarryTheFilledTimesAndData) {
  Connected c(one_type());
  ASSERT_EQ(c.source->Run(0), S_OK);
  ASSERT_TRUE(c.sink->Pin()->WaitForSamples(5, kWaitMs));
  ASSERT_EQ(c.source->Stop(), S_OK);
  const auto samples = c.sink->Pin()->Samples();
  for (size_t i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(samples[i].time_result, S_OK);
    EXPECT_EQ(samples[i].start, static_cast<REFERENCE_TIME>(i) * 100000);
    EXPECT_EQ(samples[i].stop, static_cast<REFERENCE_TIME>(i + 1) * 100000);
    EXPECT_EQ(samples[i].media_start, static_cast<LONGLONG>(i));
    EXPECT_EQ(samples[i].media_stop, static_cast<LONGLONG>(i + 1));
    EXPECT_EQ(samples[i].length, 48 * 8);
    EXPECT_EQ(samples[i].first_byte, i);
    EXPECT_TRUE(samples[i].sync_point);
  }
}

TEST(SourceStream, FillingEndsTheStreamWithEndOfStream) {
  TestStreamOptions options = one_type();
  options.sample_limit = 4;
  Connected c(std::move(options));
  ASSERT_EQ(c.source->Run(0), S_OK);
  ASSERT_TRUE(c.sink->Pin()->WaitForEndOfStream(kWaitMs));
  EXPECT_EQ(c.sink->Pin()->Samples().size(), 4u);
  // The thread waits for commands after the end; stop still works.
  EXPECT_TRUE(c.source->Stream()->ThreadExists());
  ASSERT_EQ(c.source->Stop(), S_OK);
  EXPECT_FALSE(c.source->Stream()->ThreadExists());
}

TEST(SourceStream, RefusedDeliveryStopsFillingUntilTheNextCommand) {
  SinkOptions sink;
  sink.receive_result = S_FALSE;
  Connected c(one_type(), sink);
  // Pausing starts filling; the refused first sample ends it.
  ASSERT_EQ(c.source->Pause(), S_OK);
  ASSERT_TRUE(c.sink->Pin()->WaitForSamples(1, kWaitMs));
  // Run starts filling again, and the refusal ends it after one more sample.
  ASSERT_EQ(c.source->Run(0), S_OK);
  ASSERT_TRUE(c.sink->Pin()->WaitForSamples(2, kWaitMs));
  ASSERT_EQ(c.source->Stop(), S_OK);
  EXPECT_EQ(c.sink->Pin()->Samples().size(), 2u);
  c.sink->Pin()->SetReceiveResult(S_OK);
  ASSERT_EQ(c.source->Run(0), S_OK);
  ASSERT_TRUE(c.sink->Pin()->WaitForSamples(4, kWaitMs));
  ASSERT_EQ(c.source->Stop(), S_OK);
  EXPECT_EQ(c.sink->Pin()->Samples()[2].start, 0) << "a new thread numbers from 0 again";
}

TEST(SourceStream, FailedThreadCreationFailsThePause) {
  TestStreamOptions options = one_type();
  options.thread_create_result = E_OUTOFMEMORY;
  Connected c(std::move(options));
  EXPECT_EQ(c.source->Pause(), E_OUTOFMEMORY);
  EXPECT_FALSE(c.source->Stream()->ThreadExists());
  EXPECT_EQ(c.source->Stream()->Events(), (Strings{"create", "destroy"}));
  FILTER_STATE state = State_Running;
  ASSERT_EQ(c.source->GetState(0, &state), S_OK);
  EXPECT_EQ(state, State_Stopped);
}

TEST(SourceStream, UnconnectedPinStartsNoThread) {
  ComPtr<TestSource> source(new TestSource(one_type()));
  ASSERT_EQ(source->Run(0), S_OK);
  EXPECT_FALSE(source->Stream()->ThreadExists());
  ASSERT_EQ(source->Stop(), S_OK);
}

TEST(SourceStream, ReleasingARunningFilterEndsItsThread) {
  Connected c(one_type());
  ASSERT_EQ(c.source->Run(0), S_OK);
  ASSERT_TRUE(c.sink->Pin()->WaitForSamples(2, kWaitMs));
  const DWORD thread_id = c.source->Stream()->StreamingThreadId();
  c.source.Reset();  // the sink still holds the pin, and so the filter
  c.sink->Pin()->Disconnect();
  HANDLE thread = ::OpenThread(SYNCHRONIZE, FALSE, thread_id);
  if (thread) {
    EXPECT_EQ(::WaitForSingleObject(thread, kWaitMs), WAIT_OBJECT_0);
    ::CloseHandle(thread);
  }
}

TEST(SourceStream, StreamControlIsPassedDownstream) {
  Connected c(one_type());
  ASSERT_EQ(c.source->Stream()->DeliverBeginFlush(), S_OK);
  ASSERT_EQ(c.source->Stream()->DeliverEndFlush(), S_OK);
  ASSERT_EQ(c.source->Stream()->DeliverNewSegment(10, 20, 1.5), S_OK);
  ASSERT_EQ(c.source->Stream()->DeliverEndOfStream(), S_OK);
  const Strings calls = c.sink->Pin()->Calls();
  EXPECT_EQ(Strings(calls.end() - 4, calls.end()),
            (Strings{"BeginFlush", "EndFlush", "NewSegment 10 20 150", "EndOfStream"}));
  // Stream control arriving at an output pin is a mistake of the caller.
  EXPECT_EQ(c.source->Stream()->EndOfStream(), E_UNEXPECTED);
  EXPECT_EQ(c.source->Stream()->BeginFlush(), E_UNEXPECTED);
  EXPECT_EQ(c.source->Stream()->EndFlush(), E_UNEXPECTED);
  ComPtr<TestSource> lone(new TestSource(one_type()));
  EXPECT_EQ(lone->Stream()->DeliverEndOfStream(), VFW_E_NOT_CONNECTED);
}

// What the streaming thread and the test share; the sink's hook holds it
// too, so it outlives a test that had to give up on a deadlock.
struct LockProbe {
  Microsoft::WRL::ComPtr<testing::WatchedAllocator> allocator{new testing::WatchedAllocator};
  UniqueHandle receiving{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::atomic<TestSource*> source{nullptr};  // set once the source runs
  std::atomic<bool> asked{false};
  std::atomic<bool> saw_decommit{false};
  std::atomic<HRESULT> answer{E_PENDING};
};

// A downstream pin asks the source for its connection type (which takes the
// filter lock) from inside Receive, once the source has begun to stop.
TEST(SourceStream, StopWaitsForTheStreamingThreadWithoutHoldingTheFilterLock) {
  auto probe = std::make_shared<LockProbe>();
  ASSERT_TRUE(probe->receiving);
  SinkOptions sink;
  sink.allocator = probe->allocator;
  sink.on_receive = [probe](IMediaSample*) {
    TestSource* source = probe->source;
    if (!source || probe->asked.exchange(true)) return;
    ::SetEvent(probe->receiving.get());
    probe->saw_decommit = probe->allocator->WaitForDecommit(kWaitMs);
    AM_MEDIA_TYPE type{};
    probe->answer = source->Stream()->ConnectionMediaType(&type);
    if (SUCCEEDED(probe->answer.load())) free_media_type(type);
  };
  Connected c(one_type(), std::move(sink));
  ASSERT_EQ(c.connected, S_OK);
  ASSERT_FALSE(probe->allocator->WaitForDecommit(0)) << "a decommit before the stop would let the probe in early";
  // Run waits for the streaming thread's reply, so the probe starts after it.
  ASSERT_EQ(c.source->Run(0), S_OK);
  probe->source = c.source.Get();
  ASSERT_EQ(::WaitForSingleObject(probe->receiving.get(), kWaitMs), WAIT_OBJECT_0);

  auto stopped = std::make_shared<std::atomic<HRESULT>>(E_PENDING);
  auto stop_done = std::make_shared<UniqueHandle>(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  TestSource* const stopping = c.source.Get();
  stopping->AddRef();
  std::thread stopper([stopping, stopped, stop_done] {
    *stopped = stopping->Stop();
    ::SetEvent(stop_done->get());
  });
  if (::WaitForSingleObject(stop_done->get(), kWaitMs * 2) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "the stop and the streaming thread wait for each other";
    // Both threads stay blocked on these objects: leave them be.
    stopper.detach();
    (void)c.source.Detach();
    (void)c.sink.Detach();
    return;
  }
  stopper.join();
  stopping->Release();
  EXPECT_EQ(stopped->load(), S_OK);
  EXPECT_TRUE(probe->saw_decommit);
  EXPECT_EQ(probe->answer.load(), S_OK) << "still connected while stopping";
  EXPECT_FALSE(c.source->Stream()->ThreadExists());
}

}  // namespace
}  // namespace vcam::dshow
