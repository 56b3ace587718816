#include "camera/dshow/enum_media_types.h"

#include <new>

#include "camera/dshow/base_pin.h"
#include "camera/dshow/media_type.h"

namespace vcam::dshow {

CEnumMediaTypes::CEnumMediaTypes(CBasePin* pin, ULONG position) : pin_(pin), position_(position) {
  pin_->AddRef();
}

CEnumMediaTypes::~CEnumMediaTypes() { pin_->Release(); }

STDMETHODIMP CEnumMediaTypes::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IEnumMediaTypes) return E_NOINTERFACE;
  *object = static_cast<IEnumMediaTypes*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) CEnumMediaTypes::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) CEnumMediaTypes::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP CEnumMediaTypes::Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) {
  if (!types) return E_POINTER;
  if (!fetched && count != 1) return E_INVALIDARG;
  ULONG n = 0;
  while (n < count) {
    CMediaType type;
    if (pin_->GetMediaType(static_cast<int>(position_), &type) != S_OK) break;
    AM_MEDIA_TYPE* copy = create_media_type(type.get());
    if (!copy) {
      for (ULONG i = 0; i < n; ++i) delete_media_type(types[i]);
      position_ -= n;
      return E_OUTOFMEMORY;
    }
    types[n++] = copy;
    ++position_;
  }
  if (fetched) *fetched = n;
  return n == count ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumMediaTypes::Skip(ULONG count) {
  if (count == 0) return S_OK;
  CMediaType last;
  if (pin_->GetMediaType(static_cast<int>(position_ + count - 1), &last) != S_OK) return S_FALSE;
  position_ += count;
  return S_OK;
}

STDMETHODIMP CEnumMediaTypes::Reset() {
  position_ = 0;
  return S_OK;
}

STDMETHODIMP CEnumMediaTypes::Clone(IEnumMediaTypes** clone) {
  if (!clone) return E_POINTER;
  auto* copy = new (std::nothrow) CEnumMediaTypes(pin_, position_);
  if (!copy) return E_OUTOFMEMORY;
  *clone = copy;
  copy->AddRef();
  return S_OK;
}

}  // namespace vcam::dshow
