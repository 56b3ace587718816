#include "camera/dshow/testing/recording_sink.h"

#include <mmsystem.h>

#include <cwchar>
#include <new>

#include "camera/dshow/testing/counted_object.h"

namespace vcam::dshow::testing {
namespace {

using Microsoft::WRL::ComPtr;

// Enumerators over fixed lists, enough for the tests.
class TypeList : public CountedObject<IEnumMediaTypes> {
 public:
  TypeList(std::vector<CMediaType> types, ULONG position) : types_(std::move(types)), position_(position) {}
  STDMETHODIMP Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override {
    ULONG n = 0;
    while (n < count && position_ < types_.size()) types[n++] = create_media_type(types_[position_++].get());
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override {
    position_ += count;
    return position_ <= types_.size() ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    position_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumMediaTypes** clone) override {
    *clone = new TypeList(types_, position_);
    (*clone)->AddRef();
    return S_OK;
  }

 private:
  std::vector<CMediaType> types_;
  size_t position_;
};

class OnePin : public CountedObject<IEnumPins> {
 public:
  OnePin(IPin* pin, ULONG position) : pin_(pin), position_(position) {}
  STDMETHODIMP Next(ULONG count, IPin** pins, ULONG* fetched) override {
    ULONG n = 0;
    if (count > 0 && position_ == 0) {
      pins[n++] = pin_.Get();
      pin_->AddRef();
      position_ = 1;
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override {
    position_ += count;
    return position_ <= 1 ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    position_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumPins** clone) override {
    *clone = new OnePin(pin_.Get(), position_);
    (*clone)->AddRef();
    return S_OK;
  }

 private:
  ComPtr<IPin> pin_;
  ULONG position_;
};

}  // namespace

ReceivedSample received_sample(IMediaSample* sample) {
  ReceivedSample s;
  s.tick = ::timeGetTime();
  s.time_result = sample->GetTime(&s.start, &s.stop);
  s.media_time_result = sample->GetMediaTime(&s.media_start, &s.media_stop);
  s.length = sample->GetActualDataLength();
  BYTE* data = nullptr;
  if (SUCCEEDED(sample->GetPointer(&data)) && data && s.length > 0) s.first_byte = data[0];
  s.sync_point = sample->IsSyncPoint() == S_OK;
  s.discontinuity = sample->IsDiscontinuity() == S_OK;
  s.preroll = sample->IsPreroll() == S_OK;
  return s;
}

RecordingInputPin::RecordingInputPin(RecordingSink* filter, SinkOptions options)
    : filter_(filter), options_(std::move(options)), receive_result_(options_.receive_result) {
  if (options_.allocator)
    own_allocator_ = options_.allocator;
  else
    ::CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&own_allocator_));
}

STDMETHODIMP RecordingInputPin::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPin)
    *object = static_cast<IPin*>(this);
  else if (iid == IID_IMemInputPin)
    *object = static_cast<IMemInputPin*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) RecordingInputPin::AddRef() { return filter_->AddRef(); }
STDMETHODIMP_(ULONG) RecordingInputPin::Release() { return filter_->Release(); }

STDMETHODIMP RecordingInputPin::Connect(IPin*, const AM_MEDIA_TYPE*) { return E_UNEXPECTED; }

STDMETHODIMP RecordingInputPin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) {
  if (!connector || !type) return E_POINTER;
  Record("ReceiveConnection");
  std::lock_guard lock(lock_);
  if (connected_) return VFW_E_ALREADY_CONNECTED;
  bool accepted = options_.accepted.empty();
  for (const CMediaType& candidate : options_.accepted) accepted = accepted || media_types_equal(candidate.get(), *type);
  if (!accepted) return VFW_E_TYPE_NOT_ACCEPTED;
  connected_ = connector;
  type_.set(*type);
  return S_OK;
}

STDMETHODIMP RecordingInputPin::Disconnect() {
  Record("Disconnect");
  ComPtr<IPin> released;  // dropped after the lock: it may end the upstream filter
  std::lock_guard lock(lock_);
  if (!connected_) return S_FALSE;
  released.Swap(connected_);
  notified_.Reset();
  type_.reset();
  return S_OK;
}

STDMETHODIMP RecordingInputPin::ConnectedTo(IPin** pin) {
  if (!pin) return E_POINTER;
  std::lock_guard lock(lock_);
  if (!connected_) return VFW_E_NOT_CONNECTED;
  *pin = connected_.Get();
  (*pin)->AddRef();
  return S_OK;
}

STDMETHODIMP RecordingInputPin::ConnectionMediaType(AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  std::lock_guard lock(lock_);
  if (!connected_) return VFW_E_NOT_CONNECTED;
  return copy_media_type(*type, type_.get());
}

STDMETHODIMP RecordingInputPin::QueryPinInfo(PIN_INFO* info) {
  if (!info) return E_POINTER;
  info->pFilter = filter_;
  filter_->AddRef();
  std::wcscpy(info->achName, L"In");
  info->dir = PINDIR_INPUT;
  return S_OK;
}

STDMETHODIMP RecordingInputPin::QueryDirection(PIN_DIRECTION* direction) {
  if (!direction) return E_POINTER;
  *direction = PINDIR_INPUT;
  return S_OK;
}

STDMETHODIMP RecordingInputPin::QueryId(LPWSTR* id) {
  if (!id) return E_POINTER;
  *id = static_cast<wchar_t*>(::CoTaskMemAlloc(3 * sizeof(wchar_t)));
  std::wcscpy(*id, L"In");
  return S_OK;
}

STDMETHODIMP RecordingInputPin::QueryAccept(const AM_MEDIA_TYPE*) { return S_OK; }

STDMETHODIMP RecordingInputPin::EnumMediaTypes(IEnumMediaTypes** types) {
  if (!types) return E_POINTER;
  Record("EnumMediaTypes");
  *types = new TypeList(options_.offered, 0);
  (*types)->AddRef();
  return S_OK;
}

STDMETHODIMP RecordingInputPin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }

STDMETHODIMP RecordingInputPin::EndOfStream() {
  Record("EndOfStream");
  std::lock_guard lock(lock_);
  ++end_of_stream_;
  changed_.notify_all();
  return S_OK;
}

STDMETHODIMP RecordingInputPin::BeginFlush() {
  Record("BeginFlush");
  return S_OK;
}

STDMETHODIMP RecordingInputPin::EndFlush() {
  Record("EndFlush");
  return S_OK;
}

STDMETHODIMP RecordingInputPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  Record("NewSegment " + std::to_string(start) + " " + std::to_string(stop) + " " +
         std::to_string(static_cast<int>(rate * 100)));
  return S_OK;
}

STDMETHODIMP RecordingInputPin::GetAllocator(IMemAllocator** allocator) {
  if (!allocator) return E_POINTER;
  Record("GetAllocator");
  if (!options_.offer_allocator || !own_allocator_) return VFW_E_NO_ALLOCATOR;
  *allocator = own_allocator_.Get();
  (*allocator)->AddRef();
  return S_OK;
}

STDMETHODIMP RecordingInputPin::NotifyAllocator(IMemAllocator* allocator, BOOL) {
  if (!allocator) return E_POINTER;
  Record("NotifyAllocator");
  if (FAILED(options_.notify_allocator_result)) return options_.notify_allocator_result;
  std::lock_guard lock(lock_);
  notified_ = allocator;
  return S_OK;
}

STDMETHODIMP RecordingInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES* properties) {
  if (!properties) return E_POINTER;
  Record("GetAllocatorRequirements");
  if (options_.requirements.cbAlign == 0 && options_.requirements.cbPrefix == 0) return E_NOTIMPL;
  *properties = options_.requirements;
  return S_OK;
}

STDMETHODIMP RecordingInputPin::Receive(IMediaSample* sample) {
  if (!sample) return E_POINTER;
  if (options_.on_receive) options_.on_receive(sample);
  const ReceivedSample s = received_sample(sample);
  std::lock_guard lock(lock_);
  samples_.push_back(s);
  changed_.notify_all();
  return receive_result_.load();
}

STDMETHODIMP RecordingInputPin::ReceiveMultiple(IMediaSample** samples, long count, long* processed) {
  if (!samples || !processed) return E_POINTER;
  *processed = 0;
  for (long i = 0; i < count; ++i) {
    const HRESULT hr = Receive(samples[i]);
    if (hr != S_OK) return hr;
    ++*processed;
  }
  return S_OK;
}

STDMETHODIMP RecordingInputPin::ReceiveCanBlock() { return S_FALSE; }

std::vector<std::string> RecordingInputPin::Calls() {
  std::lock_guard lock(lock_);
  return calls_;
}

std::vector<ReceivedSample> RecordingInputPin::Samples() {
  std::lock_guard lock(lock_);
  return samples_;
}

bool RecordingInputPin::WaitForSamples(size_t count, DWORD timeout_ms) {
  std::unique_lock lock(lock_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] { return samples_.size() >= count; });
}

bool RecordingInputPin::WaitForEndOfStream(DWORD timeout_ms) {
  std::unique_lock lock(lock_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] { return end_of_stream_ > 0; });
}

IMemAllocator* RecordingInputPin::NotifiedAllocator() {
  std::lock_guard lock(lock_);
  return notified_.Get();
}

CMediaType RecordingInputPin::ConnectedType() {
  std::lock_guard lock(lock_);
  return type_;
}

void RecordingInputPin::Record(std::string call) {
  std::lock_guard lock(lock_);
  calls_.push_back(std::move(call));
}

RecordingSink::RecordingSink(SinkOptions options) : pin_(this, std::move(options)) {}

STDMETHODIMP RecordingSink::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IPersist && iid != IID_IMediaFilter && iid != IID_IBaseFilter)
    return E_NOINTERFACE;
  *object = static_cast<IBaseFilter*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) RecordingSink::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) RecordingSink::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP RecordingSink::GetClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = GUID_NULL;
  return S_OK;
}

STDMETHODIMP RecordingSink::Stop() {
  state_ = State_Stopped;
  return S_OK;
}

STDMETHODIMP RecordingSink::Pause() {
  state_ = State_Paused;
  return S_OK;
}

STDMETHODIMP RecordingSink::Run(REFERENCE_TIME) {
  state_ = State_Running;
  return S_OK;
}

STDMETHODIMP RecordingSink::GetState(DWORD, FILTER_STATE* state) {
  if (!state) return E_POINTER;
  *state = state_;
  return S_OK;
}

STDMETHODIMP RecordingSink::GetSyncSource(IReferenceClock** clock) {
  if (!clock) return E_POINTER;
  *clock = nullptr;
  return S_OK;
}

STDMETHODIMP RecordingSink::EnumPins(IEnumPins** pins) {
  if (!pins) return E_POINTER;
  *pins = new OnePin(static_cast<IPin*>(&pin_), 0);
  (*pins)->AddRef();
  return S_OK;
}

STDMETHODIMP RecordingSink::FindPin(LPCWSTR id, IPin** pin) {
  if (!id || !pin) return E_POINTER;
  if (std::wcscmp(id, L"In") != 0) return VFW_E_NOT_FOUND;
  *pin = &pin_;
  pin_.AddRef();
  return S_OK;
}

STDMETHODIMP RecordingSink::QueryFilterInfo(FILTER_INFO* info) {
  if (!info) return E_POINTER;
  std::wcscpy(info->achName, L"Recording Sink");
  info->pGraph = graph_;
  if (graph_) graph_->AddRef();
  return S_OK;
}

STDMETHODIMP RecordingSink::JoinFilterGraph(IFilterGraph* graph, LPCWSTR) {
  graph_ = graph;
  return S_OK;
}

}  // namespace vcam::dshow::testing
