#include "camera/dshow/base_output_pin.h"

namespace vcam::dshow {

using Microsoft::WRL::ComPtr;

CBaseOutputPin::CBaseOutputPin(CBaseFilter* filter, const wchar_t* name) : CBasePin(filter, name, PINDIR_OUTPUT) {}

CBaseOutputPin::~CBaseOutputPin() = default;

HRESULT CBaseOutputPin::CheckConnect(IPin* pin) {
  HRESULT hr = CBasePin::CheckConnect(pin);
  if (FAILED(hr)) return hr;
  ComPtr<IMemInputPin> input;
  hr = pin->QueryInterface(IID_PPV_ARGS(&input));
  if (FAILED(hr)) return E_NOINTERFACE;
  input_pin_ = input;
  return S_OK;
}

HRESULT CBaseOutputPin::CompleteConnect(IPin*) {
  if (!input_pin_) return E_UNEXPECTED;
  ComPtr<IMemAllocator> allocator;
  const HRESULT hr = DecideAllocator(input_pin_.Get(), &allocator);
  if (FAILED(hr)) return hr;
  allocator_ = allocator;
  return S_OK;
}

HRESULT CBaseOutputPin::BreakConnect() {
  if (allocator_) {
    allocator_->Decommit();
    allocator_.Reset();
  }
  input_pin_.Reset();
  return S_OK;
}

HRESULT CBaseOutputPin::Active() { return allocator_ ? allocator_->Commit() : VFW_E_NO_ALLOCATOR; }

HRESULT CBaseOutputPin::Inactive() { return allocator_ ? allocator_->Decommit() : VFW_E_NO_ALLOCATOR; }

HRESULT CBaseOutputPin::DecideAllocator(IMemInputPin* pin, IMemAllocator** allocator) {
  ALLOCATOR_PROPERTIES wanted{};
  pin->GetAllocatorRequirements(&wanted);  // a pin without requirements leaves them zero
  if (wanted.cbAlign == 0) wanted.cbAlign = 1;

  // Sizes `candidate` and proposes it to the downstream pin.
  auto offer = [&](IMemAllocator* candidate) {
    ALLOCATOR_PROPERTIES request = wanted;
    const HRESULT hr = DecideBufferSize(candidate, &request);
    return FAILED(hr) ? hr : pin->NotifyAllocator(candidate, FALSE);
  };

  ComPtr<IMemAllocator> candidate;
  HRESULT hr = pin->GetAllocator(&candidate);
  if (FAILED(hr) || !candidate || FAILED(offer(candidate.Get()))) {
    candidate.Reset();
    hr = InitAllocator(&candidate);
    if (SUCCEEDED(hr)) hr = offer(candidate.Get());
    if (FAILED(hr)) return hr;
  }
  *allocator = candidate.Detach();
  return S_OK;
}

HRESULT CBaseOutputPin::InitAllocator(IMemAllocator** allocator) {
  return ::CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                            reinterpret_cast<void**>(allocator));
}

HRESULT CBaseOutputPin::GetDeliveryBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop,
                                          DWORD flags) {
  if (!sample) return E_POINTER;
  if (!allocator_) return VFW_E_NO_ALLOCATOR;
  return allocator_->GetBuffer(sample, start, stop, flags);
}

HRESULT CBaseOutputPin::Deliver(IMediaSample* sample) {
  if (!sample) return E_POINTER;
  if (!input_pin_) return VFW_E_NOT_CONNECTED;
  return input_pin_->Receive(sample);
}

HRESULT CBaseOutputPin::DeliverEndOfStream() {
  IPin* pin = ConnectedPin();
  return pin ? pin->EndOfStream() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverBeginFlush() {
  IPin* pin = ConnectedPin();
  return pin ? pin->BeginFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverEndFlush() {
  IPin* pin = ConnectedPin();
  return pin ? pin->EndFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  IPin* pin = ConnectedPin();
  return pin ? pin->NewSegment(start, stop, rate) : VFW_E_NOT_CONNECTED;
}

}  // namespace vcam::dshow
