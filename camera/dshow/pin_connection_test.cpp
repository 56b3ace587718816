// Connection of a push pin to a downstream pin: media-type agreement and
// allocator negotiation, seen from a recording input pin.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <wrl/client.h>

#include "camera/dshow/testing/recording_sink.h"
#include "camera/dshow/testing/source_sink_pair.h"
#include "camera/dshow/testing/test_source.h"
#include "camera/dshow/testing/video_types.h"

namespace vcam::dshow {
namespace {

using Microsoft::WRL::ComPtr;
using Pair = testing::SourceSinkPair;
using testing::RecordingSink;
using testing::rgb24_type;
using testing::SinkOptions;
using testing::TestSource;
using testing::TestStreamOptions;
using Strings = std::vector<std::string>;

TestStreamOptions offering(std::vector<CMediaType> offered, std::vector<CMediaType> accepted = {}) {
  TestStreamOptions options;
  options.offered = std::move(offered);
  options.accepted = std::move(accepted);
  return options;
}

TEST(PinConnection, DownstreamTypesAreTriedBeforeOurOwn) {
  SinkOptions sink;
  sink.offered = {rgb24_type(16, 16), rgb24_type(32, 24)};
  Pair p(offering({rgb24_type(64, 48), rgb24_type(32, 24)}), sink);
  ASSERT_EQ(p.out()->Connect(p.in(), nullptr), S_OK);
  // 16 x 16 is refused, 32 x 24 from the downstream list is taken.
  EXPECT_EQ(p.source->Stream()->Events(), (Strings{"check 16", "check 32", "set", "decide"}));
  EXPECT_EQ(p.sink->Pin()->ConnectedType(), rgb24_type(32, 24));
}

TEST(PinConnection, OwnTypesFollowInTheirOrderWhenDownstreamHasNone) {
  Pair p(offering({rgb24_type(64, 48), rgb24_type(32, 24)}, {rgb24_type(32, 24)}));
  ASSERT_EQ(p.out()->Connect(p.in(), nullptr), S_OK);
  EXPECT_EQ(p.source->Stream()->Events(), (Strings{"check 64", "check 32", "set", "decide"}));
  CMediaType connected;
  ASSERT_EQ(p.out()->ConnectionMediaType(&connected.get()), S_OK);
  EXPECT_EQ(connected, rgb24_type(32, 24));
}

TEST(PinConnection, NoCommonTypeFailsAndLeavesBothPinsFree) {
  SinkOptions sink;
  sink.accepted = {rgb24_type(8, 8)};
  Pair p(offering({rgb24_type(64, 48)}), sink);
  EXPECT_EQ(p.out()->Connect(p.in(), nullptr), VFW_E_NO_ACCEPTABLE_TYPES);
  ComPtr<IPin> other;
  EXPECT_EQ(p.out()->ConnectedTo(&other), VFW_E_NOT_CONNECTED);
  EXPECT_EQ(p.in()->ConnectedTo(&other), VFW_E_NOT_CONNECTED);
}

TEST(PinConnection, GivenCompleteTypeIsTheOnlyOneTried) {
  Pair p(offering({rgb24_type(64, 48), rgb24_type(32, 24)}));
  CMediaType wanted = rgb24_type(32, 24);
  ASSERT_EQ(p.out()->Connect(p.in(), &wanted.get()), S_OK);
  EXPECT_EQ(p.source->Stream()->Events(), (Strings{"check 32", "set", "decide"}));
  CMediaType refused = rgb24_type(100, 100);
  Pair q(offering({rgb24_type(64, 48)}));
  EXPECT_EQ(q.out()->Connect(q.in(), &refused.get()), VFW_E_TYPE_NOT_ACCEPTED);
}

TEST(PinConnection, PartialTypeFiltersTheCandidates) {
  Pair p(offering({rgb24_type(64, 48)}));
  AM_MEDIA_TYPE partial{};
  partial.majortype = MEDIATYPE_Audio;
  EXPECT_EQ(p.out()->Connect(p.in(), &partial), VFW_E_NO_ACCEPTABLE_TYPES);
  partial.majortype = MEDIATYPE_Video;
  EXPECT_EQ(p.out()->Connect(p.in(), &partial), S_OK);
}

TEST(PinConnection, DownstreamAllocatorIsNegotiatedInOrder) {
  SinkOptions sink;
  sink.requirements.cbAlign = 16;
  sink.requirements.cbPrefix = 8;
  Pair p(offering({rgb24_type(64, 48)}), sink);
  ASSERT_EQ(p.out()->Connect(p.in(), nullptr), S_OK);
  EXPECT_EQ(p.sink->Pin()->Calls(), (Strings{"EnumMediaTypes", "ReceiveConnection", "GetAllocatorRequirements",
                                            "GetAllocator", "NotifyAllocator"}));
  EXPECT_EQ(p.sink->Pin()->NotifiedAllocator(), p.sink->Pin()->OwnAllocator());
  const ALLOCATOR_PROPERTIES granted = p.source->Stream()->Granted();
  EXPECT_EQ(granted.cBuffers, 2);
  EXPECT_GE(granted.cbBuffer, 64 * 48 * 3);
  EXPECT_EQ(granted.cbAlign, 16) << "the downstream pin's alignment is kept";
  EXPECT_EQ(granted.cbPrefix, 8);
}

TEST(PinConnection, MemoryAllocatorIsUsedWhenDownstreamOffersNone) {
  SinkOptions sink;
  sink.offer_allocator = false;
  Pair p(offering({rgb24_type(64, 48)}), sink);
  ASSERT_EQ(p.out()->Connect(p.in(), nullptr), S_OK);
  IMemAllocator* used = p.sink->Pin()->NotifiedAllocator();
  ASSERT_NE(used, nullptr);
  EXPECT_NE(used, p.sink->Pin()->OwnAllocator());
  EXPECT_EQ(p.source->Stream()->Events(), (Strings{"check 64", "set", "decide"}));
}

TEST(PinConnection, RefusedNotificationFallsBackToAMemoryAllocatorThenFails) {
  SinkOptions sink;
  sink.notify_allocator_result = E_FAIL;
  Pair p(offering({rgb24_type(64, 48)}), sink);
  EXPECT_EQ(p.out()->Connect(p.in(), nullptr), VFW_E_NO_ACCEPTABLE_TYPES);
  // Both the pin's own allocator and a memory allocator were proposed.
  Strings calls = p.sink->Pin()->Calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "NotifyAllocator"), 2);
  EXPECT_EQ(calls.back(), "Disconnect");
  ComPtr<IPin> other;
  EXPECT_EQ(p.out()->ConnectedTo(&other), VFW_E_NOT_CONNECTED);
}

TEST(PinConnection, ConnectedPinRefusesSecondConnectionAndDisconnectsWhileStoppedOnly) {
  Pair p(offering({rgb24_type(64, 48)}));
  ASSERT_EQ(p.out()->Connect(p.in(), nullptr), S_OK);
  ComPtr<RecordingSink> another(new RecordingSink);
  EXPECT_EQ(p.out()->Connect(another->Pin(), nullptr), VFW_E_ALREADY_CONNECTED);
  EXPECT_TRUE(another->Pin()->Calls().empty());
  ComPtr<IPin> other;
  ASSERT_EQ(p.out()->ConnectedTo(&other), S_OK);
  EXPECT_EQ(other.Get(), p.in());

  ASSERT_EQ(p.source->Pause(), S_OK);
  EXPECT_EQ(p.out()->Disconnect(), VFW_E_NOT_STOPPED);
  ASSERT_EQ(p.source->Stop(), S_OK);
  EXPECT_EQ(p.out()->Disconnect(), S_OK);
  EXPECT_EQ(p.out()->Disconnect(), S_FALSE);
  AM_MEDIA_TYPE untouched{};
  untouched.lSampleSize = 77;
  EXPECT_EQ(p.out()->ConnectionMediaType(&untouched), VFW_E_NOT_CONNECTED);
  EXPECT_EQ(untouched.lSampleSize, 77u);
}

TEST(PinConnection, ConnectWhileRunningIsRefused) {
  Pair p(offering({rgb24_type(64, 48)}));
  ASSERT_EQ(p.source->Run(0), S_OK);
  EXPECT_EQ(p.out()->Connect(p.in(), nullptr), VFW_E_NOT_STOPPED);
  ASSERT_EQ(p.source->Stop(), S_OK);
}

TEST(PinConnection, OutputPinRefusesToReceiveAConnection) {
  Pair p(offering({rgb24_type(64, 48)}));
  CMediaType type = rgb24_type(64, 48);
  EXPECT_EQ(p.out()->ReceiveConnection(p.in(), &type.get()), VFW_E_INVALID_DIRECTION);
  ComPtr<TestSource> other(new TestSource(offering({rgb24_type(64, 48)})));
  EXPECT_EQ(p.out()->ReceiveConnection(other->Stream(), &type.get()), VFW_E_INVALID_DIRECTION);
  EXPECT_EQ(p.out()->ReceiveConnection(nullptr, &type.get()), E_POINTER);
  EXPECT_EQ(p.out()->ReceiveConnection(p.in(), nullptr), E_POINTER);
  // Two output pins cannot be joined the other way round either.
  EXPECT_EQ(p.out()->Connect(other->Stream(), nullptr), VFW_E_INVALID_DIRECTION);
}

TEST(PinConnection, QueryAcceptAnswersFromCheckMediaType) {
  Pair p(offering({rgb24_type(64, 48)}));
  CMediaType good = rgb24_type(64, 48);
  CMediaType bad = rgb24_type(65, 48);
  EXPECT_EQ(p.out()->QueryAccept(&good.get()), S_OK);
  EXPECT_EQ(p.out()->QueryAccept(&bad.get()), S_FALSE);
  EXPECT_EQ(p.out()->QueryAccept(nullptr), E_POINTER);
}

}  // namespace
}  // namespace vcam::dshow
