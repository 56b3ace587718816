#pragma once
// The module's class-factory table and the COM entry points built on it.
#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <span>

#include "camera/dshow/module_objects.h"

namespace vcam::dshow {

struct FilterSetup;

// One creatable class of the module.
struct CFactoryTemplate {
  const wchar_t* name;
  const CLSID* clsid;
  // A new object with no references yet, or null with *hr set; on failure
  // after construction the object is already deleted.
  IUnknown* (*create)(HRESULT* hr);
  // Registration data for the filter mapper; null for non-filters.
  const FilterSetup* setup;
};

class CClassFactory : public IClassFactory {
 public:
  explicit CClassFactory(const CFactoryTemplate& entry);
  virtual ~CClassFactory();

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // Aggregation is not offered: CLASS_E_NOAGGREGATION.
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  STDMETHODIMP LockServer(BOOL lock) override;

 private:
  ObjectCount object_count_;
  std::atomic<ULONG> references_{0};
  const CFactoryTemplate& entry_;
};

// DllGetClassObject over `table`: E_NOINTERFACE unless IUnknown or
// IClassFactory is asked for, CLASS_E_CLASSNOTAVAILABLE for a CLSID not in it.
HRESULT get_class_object(std::span<const CFactoryTemplate> table, REFCLSID clsid, REFIID iid, void** object);

// DllCanUnloadNow.
HRESULT can_unload_now();

// The module entry's share of DllMain: remembers the module on process
// attach.
BOOL dll_entry_point(HINSTANCE instance, DWORD reason);

// The module handle remembered by dll_entry_point; the executable's handle
// when none was (a program linking the classes directly).
HMODULE module_handle();

}  // namespace vcam::dshow
