#pragma once
// An output pin that delivers media samples through the downstream pin's
// IMemInputPin. Connecting agrees an allocator: the downstream pin's own
// first, a memory allocator when it offers none or refuses the request.
#include <windows.h>
#include <dshow.h>

#include <wrl/client.h>

#include "camera/dshow/base_pin.h"

namespace vcam::dshow {

class CBaseOutputPin : public CBasePin {
 public:
  CBaseOutputPin(CBaseFilter* filter, const wchar_t* name);
  ~CBaseOutputPin() override;

  // Fills in the buffer count and size on `request` and sets them on
  // `allocator` (IMemAllocator::SetProperties).
  virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) = 0;

  HRESULT CheckConnect(IPin* pin) override;
  HRESULT CompleteConnect(IPin* receive_pin) override;
  HRESULT BreakConnect() override;
  // Commit and decommit the allocator.
  HRESULT Active() override;
  HRESULT Inactive() override;

  // A sample to fill; blocks while every buffer is in use, fails once the
  // allocator is decommitted.
  HRESULT GetDeliveryBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags);
  // IMemInputPin::Receive of the downstream pin: S_OK to go on, S_FALSE
  // when downstream wants no more, an error otherwise.
  HRESULT Deliver(IMediaSample* sample);
  HRESULT DeliverEndOfStream();
  HRESULT DeliverBeginFlush();
  HRESULT DeliverEndFlush();
  HRESULT DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

 protected:
  // The allocator order of the connection protocol.
  virtual HRESULT DecideAllocator(IMemInputPin* pin, IMemAllocator** allocator);
  virtual HRESULT InitAllocator(IMemAllocator** allocator);

 private:
  // Set while connected; read by the streaming thread, which runs only
  // between Active and Inactive, so never during a change.
  Microsoft::WRL::ComPtr<IMemInputPin> input_pin_;
  Microsoft::WRL::ComPtr<IMemAllocator> allocator_;
};

}  // namespace vcam::dshow
