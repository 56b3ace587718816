#pragma once
// IEnumPins over a filter's pins. The enumerator holds the filter; it reports
// VFW_E_ENUM_OUT_OF_SYNC when the filter's pins changed since it was made or
// last Reset.
#include <windows.h>
#include <dshow.h>

#include <atomic>

#include <wrl/client.h>

#include "camera/dshow/module_objects.h"

namespace vcam::dshow {

class CBaseFilter;

class CEnumPins : public IEnumPins {
 public:
  explicit CEnumPins(CBaseFilter* filter, ULONG position = 0);
  virtual ~CEnumPins();

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP Next(ULONG count, IPin** pins, ULONG* fetched) override;
  STDMETHODIMP Skip(ULONG count) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Clone(IEnumPins** clone) override;

 private:
  bool OutOfSync() const;

  ObjectCount object_count_;
  std::atomic<ULONG> references_{0};
  const Microsoft::WRL::ComPtr<CBaseFilter> filter_;
  long version_;
  ULONG position_;
};

}  // namespace vcam::dshow
