#pragma once
// The IUnknown of a test's heap-made COM object with one interface: counted
// references, deleted with the last one.
#include <windows.h>
#include <unknwn.h>

#include <atomic>

namespace vcam::dshow::testing {

template <typename Interface>
class CountedObject : public Interface {
 public:
  virtual ~CountedObject() = default;

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid != IID_IUnknown && iid != __uuidof(Interface)) return E_NOINTERFACE;
    *object = static_cast<Interface*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 private:
  std::atomic<ULONG> references_{0};
};

}  // namespace vcam::dshow::testing
