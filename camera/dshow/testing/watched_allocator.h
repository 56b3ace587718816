#pragma once
// The system memory allocator with a watch on Decommit. An output pin
// decommits its allocator on the way to stopping, before it waits for its
// streaming thread, so a downstream test pin learns that a stop has begun.
#include <windows.h>
#include <dshow.h>


#include <wrl/client.h>

#include "camera/dshow/testing/counted_object.h"
#include "common/win/unique_handle.h"

namespace vcam::dshow::testing {

class WatchedAllocator : public CountedObject<IMemAllocator> {
 public:
  WatchedAllocator() : decommitted_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    ::CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&inner_));
  }
  WatchedAllocator(const WatchedAllocator&) = delete;
  WatchedAllocator& operator=(const WatchedAllocator&) = delete;


  STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual) override {
    return inner_ ? inner_->SetProperties(request, actual) : E_UNEXPECTED;
  }
  STDMETHODIMP GetProperties(ALLOCATOR_PROPERTIES* properties) override {
    return inner_ ? inner_->GetProperties(properties) : E_UNEXPECTED;
  }
  STDMETHODIMP Commit() override { return inner_ ? inner_->Commit() : E_UNEXPECTED; }
  STDMETHODIMP Decommit() override {
    const HRESULT hr = inner_ ? inner_->Decommit() : E_UNEXPECTED;
    ::SetEvent(decommitted_.get());
    return hr;
  }
  STDMETHODIMP GetBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags) override {
    return inner_ ? inner_->GetBuffer(sample, start, stop, flags) : E_UNEXPECTED;
  }
  STDMETHODIMP ReleaseBuffer(IMediaSample* sample) override {
    return inner_ ? inner_->ReleaseBuffer(sample) : E_UNEXPECTED;
  }

  // True once Decommit was called, waiting at most `timeout_ms` for it.
  bool WaitForDecommit(DWORD timeout_ms) {
    return ::WaitForSingleObject(decommitted_.get(), timeout_ms) == WAIT_OBJECT_0;
  }

 private:
  Microsoft::WRL::ComPtr<IMemAllocator> inner_;
  UniqueHandle decommitted_;
};

}  // namespace vcam::dshow::testing
