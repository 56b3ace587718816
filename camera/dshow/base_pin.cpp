#include "camera/dshow/base_pin.h"

#include <algorithm>
#include <cwchar>
#include <mutex>
#include <new>

#include "camera/dshow/base_filter.h"
#include "camera/dshow/enum_media_types.h"

namespace vcam::dshow {

using Microsoft::WRL::ComPtr;

CBasePin::CBasePin(CBaseFilter* filter, const wchar_t* name, PIN_DIRECTION direction)
    : filter_(filter), name_(name ? name : L""), direction_(direction) {}

CBasePin::~CBasePin() = default;

STDMETHODIMP CBasePin::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPin) {
    *object = static_cast<IPin*>(this);
  } else if (iid == IID_IQualityControl) {
    *object = static_cast<IQualityControl*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) CBasePin::AddRef() { return filter_->AddRef(); }

STDMETHODIMP_(ULONG) CBasePin::Release() { return filter_->Release(); }

STDMETHODIMP CBasePin::Connect(IPin* receive_pin, const AM_MEDIA_TYPE* type) {
  if (!receive_pin) return E_POINTER;
  std::lock_guard lock(filter_->filter_lock());
  if (connected_) return VFW_E_ALREADY_CONNECTED;
  if (!filter_->IsStopped()) return VFW_E_NOT_STOPPED;
  return AgreeMediaType(receive_pin, type);
}

STDMETHODIMP CBasePin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) {
  if (!connector || !type) return E_POINTER;
  std::lock_guard lock(filter_->filter_lock());
  if (connected_) return VFW_E_ALREADY_CONNECTED;
  if (!filter_->IsStopped()) return VFW_E_NOT_STOPPED;
  // Only input pins receive connections, and this layer has output pins only.
  return VFW_E_INVALID_DIRECTION;
}

STDMETHODIMP CBasePin::Disconnect() {
  std::lock_guard lock(filter_->filter_lock());
  if (!filter_->IsStopped()) return VFW_E_NOT_STOPPED;
  if (!connected_) return S_FALSE;
  const HRESULT hr = BreakConnect();
  if (FAILED(hr)) return hr;
  connected_.Reset();
  type_.reset();
  return S_OK;
}

STDMETHODIMP CBasePin::ConnectedTo(IPin** pin) {
  if (!pin) return E_POINTER;
  std::lock_guard lock(filter_->filter_lock());
  if (!connected_) return VFW_E_NOT_CONNECTED;
  *pin = connected_.Get();
  (*pin)->AddRef();
  return S_OK;
}

STDMETHODIMP CBasePin::ConnectionMediaType(AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  std::lock_guard lock(filter_->filter_lock());
  if (!connected_) return VFW_E_NOT_CONNECTED;
  AM_MEDIA_TYPE copy{};
  const HRESULT hr = copy_media_type(copy, type_.get());
  if (FAILED(hr)) return hr;
  *type = copy;
  return S_OK;
}

STDMETHODIMP CBasePin::QueryPinInfo(PIN_INFO* info) {
  if (!info) return E_POINTER;
  info->pFilter = filter_;
  filter_->AddRef();
  const size_t n = std::min<size_t>(name_.size(), MAX_PIN_NAME - 1);
  std::wmemcpy(info->achName, name_.data(), n);
  info->achName[n] = L'\0';
  info->dir = direction_;
  return S_OK;
}

STDMETHODIMP CBasePin::QueryDirection(PIN_DIRECTION* direction) {
  if (!direction) return E_POINTER;
  *direction = direction_;
  return S_OK;
}

STDMETHODIMP CBasePin::QueryId(LPWSTR* id) {
  if (!id) return E_POINTER;
  const size_t bytes = (name_.size() + 1) * sizeof(wchar_t);
  auto* text = static_cast<wchar_t*>(::CoTaskMemAlloc(bytes));
  if (!text) return E_OUTOFMEMORY;
  std::wmemcpy(text, name_.c_str(), name_.size() + 1);
  *id = text;
  return S_OK;
}

STDMETHODIMP CBasePin::QueryAccept(const AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  const HRESULT hr = CheckMediaType(type);
  return hr == S_OK ? S_OK : S_FALSE;
}

STDMETHODIMP CBasePin::EnumMediaTypes(IEnumMediaTypes** types) {
  if (!types) return E_POINTER;
  auto* enumerator = new (std::nothrow) CEnumMediaTypes(this);
  if (!enumerator) return E_OUTOFMEMORY;
  *types = enumerator;
  enumerator->AddRef();
  return S_OK;
}

STDMETHODIMP CBasePin::QueryInternalConnections(IPin**, ULONG* count) {
  if (!count) return E_POINTER;
  return E_NOTIMPL;
}

// Stream control travels downstream, so an output pin never receives it.
STDMETHODIMP CBasePin::EndOfStream() { return direction_ == PINDIR_OUTPUT ? E_UNEXPECTED : S_OK; }

STDMETHODIMP CBasePin::BeginFlush() { return direction_ == PINDIR_OUTPUT ? E_UNEXPECTED : S_OK; }

STDMETHODIMP CBasePin::EndFlush() { return direction_ == PINDIR_OUTPUT ? E_UNEXPECTED : S_OK; }

// Accepted and ignored: an output pin has no segment to pass on.
STDMETHODIMP CBasePin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return S_OK; }

STDMETHODIMP CBasePin::Notify(IBaseFilter*, Quality) { return E_NOTIMPL; }

// Accepted; no pin here sends quality messages, so the sink is not kept.
STDMETHODIMP CBasePin::SetSink(IQualityControl*) { return S_OK; }

HRESULT CBasePin::GetMediaType(int position, CMediaType*) {
  return position < 0 ? E_INVALIDARG : VFW_S_NO_MORE_ITEMS;
}

HRESULT CBasePin::SetMediaType(const AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  return type_.set(*type);
}

HRESULT CBasePin::CheckConnect(IPin* pin) {
  PIN_DIRECTION other{};
  const HRESULT hr = pin->QueryDirection(&other);
  if (FAILED(hr)) return hr;
  return other == direction_ ? VFW_E_INVALID_DIRECTION : S_OK;
}

HRESULT CBasePin::CompleteConnect(IPin*) { return S_OK; }

HRESULT CBasePin::BreakConnect() { return S_OK; }

bool CBasePin::IsConnected() {
  std::lock_guard lock(filter_->filter_lock());
  return connected_ != nullptr;
}

HRESULT CBasePin::AgreeMediaType(IPin* receive_pin, const AM_MEDIA_TYPE* type) {
  if (type && !is_partially_specified(*type)) return AttemptConnection(receive_pin, type);

  HRESULT failure = VFW_E_NO_ACCEPTABLE_TYPES;
  // The other pin's types first, then our own.
  for (const bool mine : {false, true}) {
    ComPtr<IEnumMediaTypes> types;
    const HRESULT listed = mine ? EnumMediaTypes(&types) : receive_pin->EnumMediaTypes(&types);
    if (FAILED(listed) || !types) continue;
    types->Reset();
    const HRESULT hr = TryMediaTypes(receive_pin, type, types.Get());
    if (SUCCEEDED(hr)) return S_OK;
    // A plain refusal of every type says less than a specific error.
    if (hr != E_FAIL && hr != E_INVALIDARG && hr != VFW_E_TYPE_NOT_ACCEPTED) failure = hr;
  }
  return failure;
}

HRESULT CBasePin::TryMediaTypes(IPin* receive_pin, const AM_MEDIA_TYPE* partial, IEnumMediaTypes* types) {
  HRESULT failure = S_OK;
  for (;;) {
    AM_MEDIA_TYPE* candidate = nullptr;
    ULONG fetched = 0;
    if (types->Next(1, &candidate, &fetched) != S_OK || fetched != 1 || !candidate)
      return SUCCEEDED(failure) ? VFW_E_NO_ACCEPTABLE_TYPES : failure;
    HRESULT hr = VFW_E_NO_ACCEPTABLE_TYPES;
    if (!partial || matches_partial(*candidate, *partial)) hr = AttemptConnection(receive_pin, candidate);
    delete_media_type(candidate);
    if (SUCCEEDED(hr)) return S_OK;
    if (SUCCEEDED(failure) && hr != E_FAIL && hr != E_INVALIDARG && hr != VFW_E_TYPE_NOT_ACCEPTED &&
        hr != VFW_E_NO_ACCEPTABLE_TYPES)
      failure = hr;
  }
}

HRESULT CBasePin::AttemptConnection(IPin* receive_pin, const AM_MEDIA_TYPE* type) {
  HRESULT hr = CheckConnect(receive_pin);
  if (FAILED(hr)) {
    BreakConnect();
    return hr;
  }
  hr = CheckMediaType(type);
  if (hr == S_OK) {
    connected_ = receive_pin;
    hr = SetMediaType(type);
    if (SUCCEEDED(hr)) {
      hr = receive_pin->ReceiveConnection(this, type);
      if (SUCCEEDED(hr)) {
        hr = CompleteConnect(receive_pin);
        if (SUCCEEDED(hr)) return hr;
        receive_pin->Disconnect();
      }
    }
  } else if (SUCCEEDED(hr) || hr == E_FAIL || hr == E_INVALIDARG) {
    hr = VFW_E_TYPE_NOT_ACCEPTED;
  }
  connected_.Reset();
  type_.reset();
  BreakConnect();
  return hr;
}

}  // namespace vcam::dshow
