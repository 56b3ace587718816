#pragma once
// A minimal renderer for the base-class tests: one input pin that records
// every call the upstream pin makes on it (connection, allocator
// negotiation, samples, stream control) and answers as configured.
#include <windows.h>
#include <dshow.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include <wrl/client.h>

#include "camera/dshow/media_type.h"

namespace vcam::dshow::testing {

struct SinkOptions {
  // Types listed by the input pin's enumerator.
  std::vector<CMediaType> offered;
  // Types ReceiveConnection accepts; empty accepts everything.
  std::vector<CMediaType> accepted;
  bool offer_allocator = true;
  HRESULT notify_allocator_result = S_OK;
  ALLOCATOR_PROPERTIES requirements{};
  HRESULT receive_result = S_OK;
  // Offered by GetAllocator instead of a memory allocator of the pin's own.
  Microsoft::WRL::ComPtr<IMemAllocator> allocator;
  // Called first in every Receive, on the upstream streaming thread.
  std::function<void(IMediaSample*)> on_receive;
};

struct ReceivedSample {
  REFERENCE_TIME start = 0, stop = 0;
  HRESULT time_result = E_FAIL;
  LONGLONG media_start = 0, media_stop = 0;
  HRESULT media_time_result = E_FAIL;
  long length = 0;
  BYTE first_byte = 0;
  bool sync_point = false;
  bool discontinuity = false;
  bool preroll = false;
  DWORD tick = 0;  // timeGetTime at arrival
};

// What a receiver sees of `sample` as it arrives.
ReceivedSample received_sample(IMediaSample* sample);

class RecordingSink;

class RecordingInputPin : public IPin, public IMemInputPin {
 public:
  RecordingInputPin(RecordingSink* filter, SinkOptions options);

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP Connect(IPin*, const AM_MEDIA_TYPE*) override;
  STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
  STDMETHODIMP Disconnect() override;
  STDMETHODIMP ConnectedTo(IPin** pin) override;
  STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* type) override;
  STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
  STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
  STDMETHODIMP QueryId(LPWSTR* id) override;
  STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* type) override;
  STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
  STDMETHODIMP QueryInternalConnections(IPin**, ULONG*) override;
  STDMETHODIMP EndOfStream() override;
  STDMETHODIMP BeginFlush() override;
  STDMETHODIMP EndFlush() override;
  STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

  STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
  STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL read_only) override;
  STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* properties) override;
  STDMETHODIMP Receive(IMediaSample* sample) override;
  STDMETHODIMP ReceiveMultiple(IMediaSample** samples, long count, long* processed) override;
  STDMETHODIMP ReceiveCanBlock() override;

  std::vector<std::string> Calls();
  std::vector<ReceivedSample> Samples();
  // Waits up to `timeout_ms` for `count` samples; false on time-out.
  bool WaitForSamples(size_t count, DWORD timeout_ms);
  bool WaitForEndOfStream(DWORD timeout_ms);
  IMemAllocator* OwnAllocator() const { return own_allocator_.Get(); }
  IMemAllocator* NotifiedAllocator();
  CMediaType ConnectedType();
  void SetReceiveResult(HRESULT hr) { receive_result_ = hr; }

 private:
  void Record(std::string call);

  RecordingSink* const filter_;
  const SinkOptions options_;
  std::mutex lock_;
  std::condition_variable changed_;
  std::vector<std::string> calls_;
  std::vector<ReceivedSample> samples_;
  int end_of_stream_ = 0;
  Microsoft::WRL::ComPtr<IPin> connected_;
  CMediaType type_;
  Microsoft::WRL::ComPtr<IMemAllocator> own_allocator_;
  Microsoft::WRL::ComPtr<IMemAllocator> notified_;
  std::atomic<HRESULT> receive_result_;
};

class RecordingSink : public IBaseFilter {
 public:
  explicit RecordingSink(SinkOptions options = {});
  virtual ~RecordingSink() = default;

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetClassID(CLSID* clsid) override;
  STDMETHODIMP Stop() override;
  STDMETHODIMP Pause() override;
  STDMETHODIMP Run(REFERENCE_TIME start) override;
  STDMETHODIMP GetState(DWORD, FILTER_STATE* state) override;
  STDMETHODIMP SetSyncSource(IReferenceClock*) override { return S_OK; }
  STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;
  STDMETHODIMP EnumPins(IEnumPins** pins) override;
  STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
  STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
  STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR) override;
  STDMETHODIMP QueryVendorInfo(LPWSTR*) override { return E_NOTIMPL; }

  RecordingInputPin* Pin() { return &pin_; }

 private:
  std::atomic<ULONG> references_{0};
  FILTER_STATE state_ = State_Stopped;
  IFilterGraph* graph_ = nullptr;
  RecordingInputPin pin_;
};

}  // namespace vcam::dshow::testing
