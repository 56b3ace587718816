#pragma once
// The camera's output pin "Capture": a push pin offering the format table
// (RGB24, ten sizes, 15 frames per second), connecting only at the size
// configured through IAMStreamConfig, and answering the capture pin
// category through IKsPropertySet. Its streaming overrides hand over to the
// frame pump, each under the filter's state lock.
#include <windows.h>
#include <dshow.h>

#include <mutex>

#include "camera/dshow/media_type.h"
#include "camera/dshow/source.h"
#include "camera/dshow/source_stream.h"
#include "camera/filter/win/companion_starter.h"
#include "camera/pump/win/pin_pump.h"

namespace vcam::camera {

inline constexpr wchar_t kCapturePinName[] = L"Capture";

class CameraOutputPin : public dshow::CSourceStream, public IAMStreamConfig, public IKsPropertySet {
 public:
  explicit CameraOutputPin(dshow::CSource* filter);
  ~CameraOutputPin() override;

  // IUnknown: IAMStreamConfig and IKsPropertySet here, the rest from the
  // base pin; references go to the filter.
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IAMStreamConfig
  STDMETHODIMP SetFormat(AM_MEDIA_TYPE* type) override;
  STDMETHODIMP GetFormat(AM_MEDIA_TYPE** type) override;
  STDMETHODIMP GetNumberOfCapabilities(int* count, int* size) override;
  STDMETHODIMP GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) override;

  // IKsPropertySet
  STDMETHODIMP Set(REFGUID set, DWORD id, LPVOID instance, DWORD instance_size, LPVOID data,
                   DWORD data_size) override;
  STDMETHODIMP Get(REFGUID set, DWORD id, LPVOID instance, DWORD instance_size, LPVOID data, DWORD data_size,
                   DWORD* returned) override;
  STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

  // IQualityControl: quality messages are refused.
  STDMETHODIMP Notify(IBaseFilter* sender, Quality quality) override;

  // Negotiation.
  HRESULT CheckMediaType(const AM_MEDIA_TYPE* type) override;
  HRESULT GetMediaType(int position, dshow::CMediaType* type) override;
  HRESULT SetMediaType(const AM_MEDIA_TYPE* type) override;
  HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

  // Streaming.
  HRESULT Active() override;

 protected:
  HRESULT FillBuffer(IMediaSample* sample) override;
  HRESULT OnThreadCreate() override;
  HRESULT OnThreadDestroy() override;

 private:
  std::recursive_mutex& state_lock() { return Source()->state_lock(); }

  // Guards configured_ alone and is taken last. CheckMediaType takes no other
  // lock: a downstream QueryAccept reaches it on the streaming thread while
  // a state change may hold the filter lock and FillBuffer the state lock.
  std::mutex configured_lock_;
  // The type CheckMediaType accepts; SetFormat replaces it.
  dshow::CMediaType configured_;

  RunVcappStarter companion_;
  // Opens the pin's frame channel; declared after the starter it uses.
  PinPump pump_;
};

}  // namespace vcam::camera
