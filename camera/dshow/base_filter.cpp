#include "camera/dshow/base_filter.h"

#include <algorithm>
#include <cwchar>
#include <new>

#include "camera/dshow/base_pin.h"
#include "camera/dshow/enum_pins.h"

namespace vcam::dshow {

CBaseFilter::CBaseFilter(const wchar_t* name, const CLSID& clsid) : clsid_(clsid), name_(name ? name : L"") {}

CBaseFilter::~CBaseFilter() = default;

STDMETHODIMP CBaseFilter::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter) {
    *object = static_cast<IBaseFilter*>(this);
    AddRef();
    return S_OK;
  }
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CBaseFilter::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) CBaseFilter::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP CBaseFilter::GetClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = clsid_;
  return S_OK;
}

// The state leaves Stopped before the pins start and returns to it only after
// they have stopped, so a connection never changes under a starting or
// stopping pin: Connect and Disconnect refuse while the filter is not stopped.
STDMETHODIMP CBaseFilter::Stop() {
  std::lock_guard transition(transition_lock_);
  HRESULT result = S_OK;
  if (state() != State_Stopped) {
    for (int i = 0; i < GetPinCount(); ++i) {
      CBasePin* pin = GetPin(i);
      if (!pin || !pin->IsConnected()) continue;
      const HRESULT hr = pin->Inactive();
      if (FAILED(hr) && SUCCEEDED(result)) result = hr;
    }
  }
  SetState(State_Stopped);
  return result;
}

STDMETHODIMP CBaseFilter::Pause() {
  std::lock_guard transition(transition_lock_);
  const bool starting = state() == State_Stopped;
  SetState(State_Paused);
  if (starting) {
    for (int i = 0; i < GetPinCount(); ++i) {
      CBasePin* pin = GetPin(i);
      if (!pin || !pin->IsConnected()) continue;
      const HRESULT hr = pin->Active();
      if (FAILED(hr)) {
        SetState(State_Stopped);
        return hr;
      }
    }
  }
  return S_OK;
}

STDMETHODIMP CBaseFilter::Run(REFERENCE_TIME start) {
  std::lock_guard transition(transition_lock_);
  if (state() == State_Stopped) {
    const HRESULT hr = Pause();
    if (FAILED(hr)) return hr;
  }
  if (state() != State_Running) {
    for (int i = 0; i < GetPinCount(); ++i) {
      CBasePin* pin = GetPin(i);
      if (!pin || !pin->IsConnected()) continue;
      const HRESULT hr = pin->Run(start);
      if (FAILED(hr)) return hr;
    }
  }
  SetState(State_Running);
  return S_OK;
}

STDMETHODIMP CBaseFilter::GetState(DWORD, FILTER_STATE* state) {
  if (!state) return E_POINTER;
  std::lock_guard lock(filter_lock_);
  *state = state_;
  return S_OK;
}

STDMETHODIMP CBaseFilter::SetSyncSource(IReferenceClock* clock) {
  std::lock_guard lock(filter_lock_);
  clock_ = clock;
  return S_OK;
}

STDMETHODIMP CBaseFilter::GetSyncSource(IReferenceClock** clock) {
  if (!clock) return E_POINTER;
  std::lock_guard lock(filter_lock_);
  *clock = clock_.Get();
  if (*clock) (*clock)->AddRef();
  return S_OK;
}

STDMETHODIMP CBaseFilter::EnumPins(IEnumPins** pins) {
  if (!pins) return E_POINTER;
  auto* enumerator = new (std::nothrow) CEnumPins(this);
  if (!enumerator) return E_OUTOFMEMORY;
  *pins = enumerator;
  enumerator->AddRef();
  return S_OK;
}

STDMETHODIMP CBaseFilter::FindPin(LPCWSTR id, IPin** pin) {
  if (!id || !pin) return E_POINTER;
  std::lock_guard lock(filter_lock_);
  for (int i = 0; i < GetPinCount(); ++i) {
    CBasePin* candidate = GetPin(i);
    if (candidate && candidate->Name() == id) {
      *pin = candidate;
      candidate->AddRef();
      return S_OK;
    }
  }
  return VFW_E_NOT_FOUND;
}

STDMETHODIMP CBaseFilter::QueryFilterInfo(FILTER_INFO* info) {
  if (!info) return E_POINTER;
  std::lock_guard lock(filter_lock_);
  const size_t n = std::min<size_t>(name_.size(), MAX_FILTER_NAME - 1);
  std::wmemcpy(info->achName, name_.data(), n);
  info->achName[n] = L'\0';
  info->pGraph = graph_;
  if (graph_) graph_->AddRef();
  return S_OK;
}

STDMETHODIMP CBaseFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
  std::lock_guard lock(filter_lock_);
  graph_ = graph;
  event_sink_ = nullptr;
  if (graph) {
    IMediaEventSink* sink = nullptr;
    if (SUCCEEDED(graph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&sink))) && sink) {
      event_sink_ = sink;
      sink->Release();  // the graph outlives our membership in it
    }
    if (name) {
      try {
        name_ = name;
      } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
      }
    }
  }
  return S_OK;
}

STDMETHODIMP CBaseFilter::QueryVendorInfo(LPWSTR* vendor_info) {
  if (!vendor_info) return E_POINTER;
  return E_NOTIMPL;
}

FILTER_STATE CBaseFilter::state() {
  std::lock_guard lock(filter_lock_);
  return state_;
}

void CBaseFilter::SetState(FILTER_STATE state) {
  std::lock_guard lock(filter_lock_);
  state_ = state;
}

HRESULT CBaseFilter::NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2) {
  IMediaEventSink* sink = event_sink_.load();
  if (!sink) return E_NOTIMPL;
  // The graph counts completions per filter, so it needs the sender.
  if (code == EC_COMPLETE) param2 = reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this));
  return sink->Notify(code, param1, param2);
}

}  // namespace vcam::dshow
