#pragma once
// A test source and a recording sink, not yet connected. Connected pins hold
// each other, so the pair stops the source and disconnects both pins before
// it lets go of the filters, as a graph does.
#include <utility>

#include <wrl/client.h>

#include "camera/dshow/testing/recording_sink.h"
#include "camera/dshow/testing/test_source.h"

namespace vcam::dshow::testing {

struct SourceSinkPair {
  explicit SourceSinkPair(TestStreamOptions source_options, SinkOptions sink_options = {})
      : source(new TestSource(std::move(source_options))), sink(new RecordingSink(std::move(sink_options))) {}
  ~SourceSinkPair() {
    if (!source || !sink) return;
    source->Stop();
    source->Stream()->Disconnect();
    sink->Pin()->Disconnect();
  }
  SourceSinkPair(const SourceSinkPair&) = delete;
  SourceSinkPair& operator=(const SourceSinkPair&) = delete;

  IPin* out() { return source->Stream(); }
  IPin* in() { return sink->Pin(); }

  Microsoft::WRL::ComPtr<TestSource> source;
  Microsoft::WRL::ComPtr<RecordingSink> sink;
};

}  // namespace vcam::dshow::testing
