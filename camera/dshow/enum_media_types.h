#pragma once
// IEnumMediaTypes over a pin's list (CBasePin::GetMediaType). Each type
// handed out is a new task-allocated copy that the caller deletes.
#include <windows.h>
#include <dshow.h>

#include <atomic>

#include "camera/dshow/module_objects.h"

namespace vcam::dshow {

class CBasePin;

class CEnumMediaTypes : public IEnumMediaTypes {
 public:
  explicit CEnumMediaTypes(CBasePin* pin, ULONG position = 0);
  virtual ~CEnumMediaTypes();

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override;
  STDMETHODIMP Skip(ULONG count) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Clone(IEnumMediaTypes** clone) override;

 private:
  ObjectCount object_count_;
  std::atomic<ULONG> references_{0};
  CBasePin* const pin_;  // AddRef'ed for the enumerator's life
  ULONG position_;
};

}  // namespace vcam::dshow
