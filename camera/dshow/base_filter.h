#pragma once
// IBaseFilter for filters whose pins are fixed objects of the filter: the
// graph-facing state machine (Stop / Pause / Run), the clock, the graph and
// name given by JoinFilterGraph, and pin lookup. Pins share the filter's
// reference count, so a pin keeps its filter alive.
#include <windows.h>
#include <dshow.h>

#include <atomic>
#include <mutex>
#include <string>

#include <wrl/client.h>

#include "camera/dshow/module_objects.h"

namespace vcam::dshow {

class CBasePin;

class CBaseFilter : public IBaseFilter {
 public:
  CBaseFilter(const wchar_t* name, const CLSID& clsid);
  virtual ~CBaseFilter();
  CBaseFilter(const CBaseFilter&) = delete;
  CBaseFilter& operator=(const CBaseFilter&) = delete;

  // IUnknown: IUnknown, IPersist, IMediaFilter, IBaseFilter.
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IPersist
  STDMETHODIMP GetClassID(CLSID* clsid) override;

  // IMediaFilter
  STDMETHODIMP Stop() override;
  STDMETHODIMP Pause() override;
  STDMETHODIMP Run(REFERENCE_TIME start) override;
  STDMETHODIMP GetState(DWORD timeout_ms, FILTER_STATE* state) override;
  STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
  STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;

  // IBaseFilter
  STDMETHODIMP EnumPins(IEnumPins** pins) override;
  STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
  STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
  STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
  STDMETHODIMP QueryVendorInfo(LPWSTR* vendor_info) override;

  virtual int GetPinCount() = 0;
  // Not AddRef'ed; null outside 0 .. GetPinCount() - 1.
  virtual CBasePin* GetPin(int index) = 0;
  // Changes whenever the set of pins changes, so enumerators notice.
  virtual long PinVersion() { return 1; }

  // Guards the filter state and the pins' connections. Stop, Pause and Run
  // never hold it while a pin waits for its streaming thread, so code on a
  // streaming thread (a downstream QueryAccept, say) may take it.
  std::recursive_mutex& filter_lock() { return filter_lock_; }
  FILTER_STATE state();
  bool IsStopped() { return state() == State_Stopped; }

  // Passes an event to the graph that holds the filter (EC_COMPLETE,
  // EC_ERRORABORT, ...); E_NOTIMPL when the filter is in no graph.
  HRESULT NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2);

 private:
  void SetState(FILTER_STATE state);

  ObjectCount object_count_;
  std::atomic<ULONG> references_{0};
  // One state change at a time, held while the pins start and stop their
  // streaming threads; no streaming thread takes it. Taken before the filter
  // lock. Recursive because Run pauses first.
  std::recursive_mutex transition_lock_;
  std::recursive_mutex filter_lock_;
  const CLSID clsid_;
  std::wstring name_;
  FILTER_STATE state_ = State_Stopped;
  Microsoft::WRL::ComPtr<IReferenceClock> clock_;
  // The graph owns the filter; holding references back would make a cycle.
  IFilterGraph* graph_ = nullptr;
  // Read by the streaming thread without the filter lock.
  std::atomic<IMediaEventSink*> event_sink_{nullptr};
};

}  // namespace vcam::dshow
