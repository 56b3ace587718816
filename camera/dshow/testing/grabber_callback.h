#pragma once
// The IUnknown of an ISampleGrabberCB that the test owns (on its stack or in
// its fixture): the grabber's references do not own it, so it must outlive
// the grabber's use of it. Samples arrive through SampleCB.
#include <windows.h>
#include <dshow.h>
#include <qedit.h>

namespace vcam::dshow::testing {

class GrabberCallback : public ISampleGrabberCB {
 public:
  virtual ~GrabberCallback() = default;

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_ISampleGrabberCB) return E_NOINTERFACE;
    *object = static_cast<ISampleGrabberCB*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP BufferCB(double, BYTE*, long) override { return E_NOTIMPL; }
};

}  // namespace vcam::dshow::testing
