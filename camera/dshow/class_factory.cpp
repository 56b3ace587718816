#include "camera/dshow/class_factory.h"

#include <new>

namespace vcam::dshow {
namespace {
std::atomic<HMODULE> g_module{nullptr};
}  // namespace

CClassFactory::CClassFactory(const CFactoryTemplate& entry) : entry_(entry) {}

CClassFactory::~CClassFactory() = default;

STDMETHODIMP CClassFactory::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
  *object = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) CClassFactory::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) CClassFactory::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP CClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (outer) return CLASS_E_NOAGGREGATION;
  HRESULT hr = S_OK;
  IUnknown* instance = entry_.create(&hr);
  if (!instance) return FAILED(hr) ? hr : E_OUTOFMEMORY;
  // The object starts with no references: the query gives the first, and
  // the release after it deletes the object when the query failed.
  instance->AddRef();
  void* result = nullptr;
  hr = instance->QueryInterface(iid, &result);
  instance->Release();
  if (FAILED(hr)) return hr;
  *object = result;
  return S_OK;
}

STDMETHODIMP CClassFactory::LockServer(BOOL lock) {
  lock_module(lock != FALSE);
  return S_OK;
}

HRESULT get_class_object(std::span<const CFactoryTemplate> table, REFCLSID clsid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
  for (const CFactoryTemplate& entry : table) {
    if (!entry.clsid || *entry.clsid != clsid) continue;
    auto* factory = new (std::nothrow) CClassFactory(entry);
    if (!factory) return E_OUTOFMEMORY;
    factory->AddRef();
    *object = static_cast<IClassFactory*>(factory);
    return S_OK;
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT can_unload_now() { return module_can_unload() ? S_OK : S_FALSE; }

BOOL dll_entry_point(HINSTANCE instance, DWORD reason) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

HMODULE module_handle() {
  HMODULE module = g_module.load();
  return module ? module : ::GetModuleHandleW(nullptr);
}

}  // namespace vcam::dshow
