#include "camera/dshow/media_type.h"

#include <cstring>
#include <utility>

namespace vcam::dshow {

void free_media_type(AM_MEDIA_TYPE& type) {
  if (type.pbFormat) ::CoTaskMemFree(type.pbFormat);
  type.pbFormat = nullptr;
  type.cbFormat = 0;
  if (type.pUnk) type.pUnk->Release();
  type.pUnk = nullptr;
}

void delete_media_type(AM_MEDIA_TYPE* type) {
  if (!type) return;
  free_media_type(*type);
  ::CoTaskMemFree(type);
}

HRESULT copy_media_type(AM_MEDIA_TYPE& target, const AM_MEDIA_TYPE& source) {
  target = source;
  target.pbFormat = nullptr;
  target.cbFormat = 0;
  if (source.cbFormat > 0 && source.pbFormat) {
    target.pbFormat = static_cast<BYTE*>(::CoTaskMemAlloc(source.cbFormat));
    if (!target.pbFormat) {
      target.pUnk = nullptr;
      return E_OUTOFMEMORY;
    }
    std::memcpy(target.pbFormat, source.pbFormat, source.cbFormat);
    target.cbFormat = source.cbFormat;
  }
  if (target.pUnk) target.pUnk->AddRef();
  return S_OK;
}

AM_MEDIA_TYPE* create_media_type(const AM_MEDIA_TYPE& source) {
  auto* type = static_cast<AM_MEDIA_TYPE*>(::CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
  if (!type) return nullptr;
  if (FAILED(copy_media_type(*type, source))) {
    ::CoTaskMemFree(type);
    return nullptr;
  }
  return type;
}

bool media_types_equal(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b) {
  if (a.majortype != b.majortype || a.subtype != b.subtype || a.formattype != b.formattype) return false;
  if (a.cbFormat != b.cbFormat) return false;
  if (a.cbFormat == 0) return true;
  if (!a.pbFormat || !b.pbFormat) return a.pbFormat == b.pbFormat;
  return std::memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0;
}

bool is_partially_specified(const AM_MEDIA_TYPE& type) {
  return type.majortype == GUID_NULL || type.formattype == GUID_NULL;
}

bool matches_partial(const AM_MEDIA_TYPE& type, const AM_MEDIA_TYPE& partial) {
  if (partial.majortype != GUID_NULL && partial.majortype != type.majortype) return false;
  if (partial.subtype != GUID_NULL && partial.subtype != type.subtype) return false;
  if (partial.formattype != GUID_NULL) {
    if (partial.formattype != type.formattype) return false;
    if (partial.cbFormat != type.cbFormat) return false;
    if (partial.cbFormat > 0 &&
        (!partial.pbFormat || !type.pbFormat || std::memcmp(partial.pbFormat, type.pbFormat, type.cbFormat) != 0))
      return false;
  }
  return true;
}

CMediaType::CMediaType() : type_{} {}

CMediaType::~CMediaType() { free_media_type(type_); }

CMediaType::CMediaType(const CMediaType& other) : type_{} {
  if (FAILED(copy_media_type(type_, other.type_))) type_ = AM_MEDIA_TYPE{};
}

CMediaType& CMediaType::operator=(const CMediaType& other) {
  if (this != &other) set(other.type_);
  return *this;
}

CMediaType::CMediaType(CMediaType&& other) noexcept : type_(std::exchange(other.type_, AM_MEDIA_TYPE{})) {}

CMediaType& CMediaType::operator=(CMediaType&& other) noexcept {
  if (this != &other) {
    free_media_type(type_);
    type_ = std::exchange(other.type_, AM_MEDIA_TYPE{});
  }
  return *this;
}

HRESULT CMediaType::set(const AM_MEDIA_TYPE& source) {
  if (&source == &type_) return S_OK;
  AM_MEDIA_TYPE copy{};
  const HRESULT hr = copy_media_type(copy, source);
  if (FAILED(hr)) return hr;
  free_media_type(type_);
  type_ = copy;
  return S_OK;
}

void CMediaType::reset() {
  free_media_type(type_);
  type_ = AM_MEDIA_TYPE{};
}

BYTE* CMediaType::allocate_format(ULONG size) {
  auto* block = static_cast<BYTE*>(::CoTaskMemAlloc(size));
  if (!block) return nullptr;
  std::memset(block, 0, size);
  if (type_.pbFormat) ::CoTaskMemFree(type_.pbFormat);
  type_.pbFormat = block;
  type_.cbFormat = size;
  return block;
}

bool CMediaType::empty() const {
  return type_.majortype == GUID_NULL && type_.subtype == GUID_NULL && type_.formattype == GUID_NULL &&
         !type_.pbFormat;
}

bool operator==(const CMediaType& a, const CMediaType& b) { return media_types_equal(a.get(), b.get()); }

}  // namespace vcam::dshow
