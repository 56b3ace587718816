#include "tools/capture/win/capture_graph.h"

#include "camera/dshow/system_filters.h"

namespace vcam::capture {
namespace {

using Microsoft::WRL::ComPtr;

ComPtr<IPin> first_pin(IBaseFilter* filter, PIN_DIRECTION wanted, bool capture_category_only) {
  ComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(&pins))) return nullptr;
  ComPtr<IPin> pin;
  while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
    PIN_DIRECTION direction{};
    if (FAILED(pin->QueryDirection(&direction)) || direction != wanted) continue;
    if (!capture_category_only) return pin;
    ComPtr<IKsPropertySet> properties;
    if (FAILED(pin.As(&properties))) continue;
    GUID category{};
    DWORD returned = 0;
    if (properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, sizeof category,
                        &returned) == S_OK &&
        category == PIN_CATEGORY_CAPTURE)
      return pin;
  }
  return nullptr;
}

std::int64_t unix_ms_now() {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  const std::int64_t since_1601 =
      static_cast<std::int64_t>((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
  constexpr std::int64_t k1601To1970 = 116'444'736'000'000'000;  // 100-ns units
  return (since_1601 - k1601To1970) / 10'000;
}

}  // namespace

CaptureGraph::CaptureGraph(ComPtr<IBaseFilter> device) : device_(std::move(device)) {}

CaptureGraph::~CaptureGraph() {
  Stop();
  if (graph_) {
    // Removing the filters breaks the connections, which hold each other.
    for (IBaseFilter* filter : {device_.Get(), grabber_.Get(), renderer_.Get()})
      if (filter) graph_->RemoveFilter(filter);
  }
}

bool CaptureGraph::FindCapturePin() {
  capture_pin_ = first_pin(device_.Get(), PINDIR_OUTPUT, true);
  if (!capture_pin_) capture_pin_ = first_pin(device_.Get(), PINDIR_OUTPUT, false);
  return capture_pin_ != nullptr;
}

std::vector<Capability> CaptureGraph::Capabilities() {
  std::vector<Capability> result;
  ComPtr<IAMStreamConfig> config;
  if (!capture_pin_ || FAILED(capture_pin_.As(&config))) return result;
  int count = 0, size = 0;
  if (FAILED(config->GetNumberOfCapabilities(&count, &size)) || size != sizeof(VIDEO_STREAM_CONFIG_CAPS))
    return result;
  for (int i = 0; i < count; ++i) {
    Capability c;
    c.index = i;
    AM_MEDIA_TYPE* type = nullptr;
    if (config->GetStreamCaps(i, &type, reinterpret_cast<BYTE*>(&c.caps)) != S_OK || !type) continue;
    const HRESULT copied = c.type.set(*type);
    if (type->formattype == FORMAT_VideoInfo && type->cbFormat >= sizeof(VIDEOINFOHEADER) && type->pbFormat) {
      const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(type->pbFormat);
      c.width = info->bmiHeader.biWidth;
      c.height = info->bmiHeader.biHeight;
    }
    dshow::delete_media_type(type);
    if (SUCCEEDED(copied)) result.push_back(std::move(c));
  }
  return result;
}

HRESULT CaptureGraph::ChooseSize(std::int32_t width, std::int32_t height) {
  ComPtr<IAMStreamConfig> config;
  if (!capture_pin_ || FAILED(capture_pin_.As(&config))) return E_NOINTERFACE;
  for (Capability& c : Capabilities()) {
    if (c.width == width && c.height == height) return config->SetFormat(&c.type.get());
  }
  return VFW_E_INVALIDMEDIATYPE;
}

HRESULT CaptureGraph::Build(bool with_clock) {
  if (!capture_pin_ && !FindCapturePin()) return VFW_E_NOT_FOUND;
  HRESULT hr = ::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph_));
  if (FAILED(hr)) return hr;
  hr = ::CoCreateInstance(dshow::kSampleGrabberClsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&grabber_));
  if (FAILED(hr)) return hr;
  hr = ::CoCreateInstance(dshow::kNullRendererClsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&renderer_));
  if (FAILED(hr)) return hr;
  if (FAILED(hr = graph_->AddFilter(device_.Get(), L"Device")) ||
      FAILED(hr = graph_->AddFilter(grabber_.Get(), L"Sample Grabber")) ||
      FAILED(hr = graph_->AddFilter(renderer_.Get(), L"Null Renderer")))
    return hr;

  ComPtr<ISampleGrabber> grab;
  if (FAILED(hr = grabber_.As(&grab))) return hr;
  AM_MEDIA_TYPE wanted{};
  wanted.majortype = MEDIATYPE_Video;
  wanted.subtype = MEDIASUBTYPE_RGB24;
  if (FAILED(hr = grab->SetMediaType(&wanted))) return hr;
  if (FAILED(hr = grab->SetCallback(this, 0))) return hr;

  // The grabber's output takes its type from its input: device side first.
  hr = graph_->ConnectDirect(capture_pin_.Get(), first_pin(grabber_.Get(), PINDIR_INPUT, false).Get(), nullptr);
  if (FAILED(hr)) return hr;
  hr = graph_->ConnectDirect(first_pin(grabber_.Get(), PINDIR_OUTPUT, false).Get(),
                             first_pin(renderer_.Get(), PINDIR_INPUT, false).Get(), nullptr);
  if (FAILED(hr)) return hr;
  if (!with_clock) {
    ComPtr<IMediaFilter> timing;
    if (SUCCEEDED(graph_.As(&timing))) timing->SetSyncSource(nullptr);
  }
  return graph_.As(&control_);
}

dshow::CMediaType CaptureGraph::ConnectionType() {
  dshow::CMediaType type;
  if (capture_pin_ && capture_pin_->ConnectionMediaType(&type.get()) != S_OK) type.reset();
  return type;
}

HRESULT CaptureGraph::Run() { return control_ ? control_->Run() : E_UNEXPECTED; }

bool CaptureGraph::WaitForSamples(std::int64_t count, DWORD timeout_ms) {
  std::unique_lock lock(lock_);
  return arrived_.wait_for(lock, std::chrono::milliseconds(timeout_ms),
                           [&] { return static_cast<std::int64_t>(records_.size()) >= count; });
}

void CaptureGraph::Stop() {
  if (control_) control_->Stop();
}

std::vector<SampleRecord> CaptureGraph::Records() {
  std::lock_guard lock(lock_);
  return records_;
}

std::optional<std::int64_t> CaptureGraph::FirstSampleUnixMs() {
  std::lock_guard lock(lock_);
  return first_sample_unix_ms_;
}

std::map<std::int64_t, std::vector<std::uint8_t>> CaptureGraph::KeptSamples() {
  std::lock_guard lock(lock_);
  return kept_;
}

STDMETHODIMP CaptureGraph::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_ISampleGrabberCB) return E_NOINTERFACE;
  *object = static_cast<ISampleGrabberCB*>(this);
  return S_OK;
}

STDMETHODIMP CaptureGraph::SampleCB(double, IMediaSample* sample) {
  if (!sample) return E_POINTER;
  SampleRecord record;
  REFERENCE_TIME start = 0, stop = 0;
  if (SUCCEEDED(sample->GetTime(&start, &stop))) {
    record.start = start;
    record.stop = stop;
  }
  LONGLONG media_start = 0, media_stop = 0;
  if (sample->GetMediaTime(&media_start, &media_stop) == S_OK) {
    record.media_start = media_start;
    record.media_stop = media_stop;
  }
  BYTE* data = nullptr;
  const long length = sample->GetActualDataLength();
  if (FAILED(sample->GetPointer(&data)) || !data || length < 0 || length > sample->GetSize()) return S_OK;
  record.size = length;
  record.checksum = fnv1a32(data, static_cast<size_t>(length));

  std::lock_guard lock(lock_);
  if (records_.empty()) first_sample_unix_ms_ = unix_ms_now();
  record.index = static_cast<std::int64_t>(records_.size());
  if (wanted_ && wanted_(record.index)) kept_[record.index].assign(data, data + length);
  records_.push_back(record);
  arrived_.notify_all();
  return S_OK;
}

}  // namespace vcam::capture
