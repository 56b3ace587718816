#include "camera/dshow/enum_pins.h"

#include <new>

#include "camera/dshow/base_filter.h"
#include "camera/dshow/base_pin.h"

namespace vcam::dshow {

CEnumPins::CEnumPins(CBaseFilter* filter, ULONG position)
    : filter_(filter), version_(filter->PinVersion()), position_(position) {}

CEnumPins::~CEnumPins() = default;

STDMETHODIMP CEnumPins::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IEnumPins) return E_NOINTERFACE;
  *object = static_cast<IEnumPins*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) CEnumPins::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) CEnumPins::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP CEnumPins::Next(ULONG count, IPin** pins, ULONG* fetched) {
  if (!pins) return E_POINTER;
  if (!fetched && count != 1) return E_INVALIDARG;
  if (OutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;
  ULONG n = 0;
  while (n < count) {
    CBasePin* pin = filter_->GetPin(static_cast<int>(position_));
    if (!pin) break;
    pins[n++] = pin;
    pin->AddRef();
    ++position_;
  }
  if (fetched) *fetched = n;
  return n == count ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumPins::Skip(ULONG count) {
  if (OutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;
  const ULONG total = static_cast<ULONG>(filter_->GetPinCount());
  if (position_ > total || count > total - position_) return S_FALSE;
  position_ += count;
  return S_OK;
}

STDMETHODIMP CEnumPins::Reset() {
  version_ = filter_->PinVersion();
  position_ = 0;
  return S_OK;
}

STDMETHODIMP CEnumPins::Clone(IEnumPins** clone) {
  if (!clone) return E_POINTER;
  if (OutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;
  auto* copy = new (std::nothrow) CEnumPins(filter_.Get(), position_);
  if (!copy) return E_OUTOFMEMORY;
  *clone = copy;
  copy->AddRef();
  return S_OK;
}

bool CEnumPins::OutOfSync() const { return version_ != filter_->PinVersion(); }

}  // namespace vcam::dshow
