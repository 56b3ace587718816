#pragma once
// IPin and IQualityControl common to every pin: connection with media-type
// agreement, the connection's type, pin identity and the type enumerator.
// The pin lives inside its filter and shares the filter's reference count.
#include <windows.h>
#include <dshow.h>

#include <string>

#include <wrl/client.h>

#include "camera/dshow/media_type.h"

namespace vcam::dshow {

class CBaseFilter;

class CBasePin : public IPin, public IQualityControl {
 public:
  CBasePin(CBaseFilter* filter, const wchar_t* name, PIN_DIRECTION direction);
  virtual ~CBasePin();
  CBasePin(const CBasePin&) = delete;
  CBasePin& operator=(const CBasePin&) = delete;

  // IUnknown: IUnknown, IPin, IQualityControl; references go to the filter.
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IPin
  STDMETHODIMP Connect(IPin* receive_pin, const AM_MEDIA_TYPE* type) override;
  STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
  STDMETHODIMP Disconnect() override;
  STDMETHODIMP ConnectedTo(IPin** pin) override;
  STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* type) override;
  STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
  STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
  STDMETHODIMP QueryId(LPWSTR* id) override;
  STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* type) override;
  STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
  STDMETHODIMP QueryInternalConnections(IPin** pins, ULONG* count) override;
  STDMETHODIMP EndOfStream() override;
  STDMETHODIMP BeginFlush() override;
  STDMETHODIMP EndFlush() override;
  STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

  // IQualityControl
  STDMETHODIMP Notify(IBaseFilter* sender, Quality quality) override;
  STDMETHODIMP SetSink(IQualityControl* sink) override;

  // Media types: S_OK for an acceptable type.
  virtual HRESULT CheckMediaType(const AM_MEDIA_TYPE* type) = 0;
  // The type at `position` of the pin's list: S_OK, or VFW_S_NO_MORE_ITEMS
  // past the end.
  virtual HRESULT GetMediaType(int position, CMediaType* type);
  // Stores the agreed type as the connection's type.
  virtual HRESULT SetMediaType(const AM_MEDIA_TYPE* type);

  // Connection steps.
  virtual HRESULT CheckConnect(IPin* pin);
  virtual HRESULT CompleteConnect(IPin* receive_pin);
  virtual HRESULT BreakConnect();

  // Called by the filter on the way out of and back into the stopped state
  // and on Run, one state change at a time but without the filter lock, so
  // they may wait for a streaming thread that takes it.
  virtual HRESULT Active() { return S_OK; }
  virtual HRESULT Inactive() { return S_OK; }
  virtual HRESULT Run(REFERENCE_TIME) { return S_OK; }

  bool IsConnected();
  const std::wstring& Name() const { return name_; }
  // The connection's type; empty when not connected. It changes only while
  // the filter is stopped, so the streaming thread may read it unlocked.
  const CMediaType& CurrentMediaType() const { return type_; }

 protected:
  // The pin that Connect linked us to, or null.
  IPin* ConnectedPin() const { return connected_.Get(); }

 private:
  HRESULT AgreeMediaType(IPin* receive_pin, const AM_MEDIA_TYPE* type);
  HRESULT TryMediaTypes(IPin* receive_pin, const AM_MEDIA_TYPE* partial, IEnumMediaTypes* types);
  HRESULT AttemptConnection(IPin* receive_pin, const AM_MEDIA_TYPE* type);

  CBaseFilter* const filter_;
  const std::wstring name_;
  const PIN_DIRECTION direction_;
  Microsoft::WRL::ComPtr<IPin> connected_;
  CMediaType type_;
};

}  // namespace vcam::dshow
