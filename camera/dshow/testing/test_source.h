#pragma once
// A source filter for the base-class tests: one push pin that offers a list
// of types, accepts a subset, and fills numbered samples with a fixed
// period, recording what the base classes call on it.
#include <windows.h>
#include <dshow.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "camera/dshow/source.h"
#include "camera/dshow/source_stream.h"

namespace vcam::dshow::testing {

inline constexpr CLSID kTestSourceClsid = {
    0x5E0B3C71, 0x8A43, 0x4C1D, {0x9B, 0x2F, 0x61, 0x7A, 0x0C, 0xD4, 0x33, 0x10}};

struct TestStreamOptions {
  std::vector<CMediaType> offered;
  // Empty: every offered type is accepted.
  std::vector<CMediaType> accepted;
  REFERENCE_TIME period = 100000;  // 100 samples a second
  // FillBuffer returns S_FALSE once this many samples were filled (0: never).
  long sample_limit = 0;
  // FillBuffer returns this error for sample `fail_at` (-1: never).
  long fail_at = -1;
  HRESULT fail_with = E_UNEXPECTED;
  HRESULT thread_create_result = S_OK;
  long buffers = 2;
};

class TestStream : public CSourceStream {
 public:
  TestStream(CSource* filter, const wchar_t* name, TestStreamOptions options);

  HRESULT CheckMediaType(const AM_MEDIA_TYPE* type) override;
  HRESULT GetMediaType(int position, CMediaType* type) override;
  HRESULT SetMediaType(const AM_MEDIA_TYPE* type) override;
  HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

  // "check", "set", "decide", "create", "start", "fill", "destroy" in order,
  // with "check" entries carrying the width tried ("check 64").
  std::vector<std::string> Events();
  void ClearEvents();
  long Filled() const { return filled_.load(); }
  DWORD StreamingThreadId() const { return thread_id_.load(); }
  ALLOCATOR_PROPERTIES Granted();

 protected:
  HRESULT FillBuffer(IMediaSample* sample) override;
  HRESULT OnThreadCreate() override;
  HRESULT OnThreadStartPlay() override;
  HRESULT OnThreadDestroy() override;

 private:
  void Record(std::string event);

  TestStreamOptions options_;
  std::mutex events_lock_;
  std::vector<std::string> events_;
  std::atomic<long> filled_{0};
  std::atomic<DWORD> thread_id_{0};
  ALLOCATOR_PROPERTIES granted_{};
  long index_ = 0;  // streaming thread only
};

class TestSource : public CSource {
 public:
  explicit TestSource(TestStreamOptions options);
  TestStream* Stream() { return stream_; }
  // A second pin, to show enumerators noticing a change of pins.
  void AddSecondPin();

 private:
  TestStream* stream_;
};

}  // namespace vcam::dshow::testing
