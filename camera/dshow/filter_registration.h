#pragma once
// Registration of in-process filters: the CLSID keys under
// HKEY_CLASSES_ROOT and the filter mapper's entry in the DirectShow filters
// category (IFilterMapper2, or IFilterMapper where that is missing).
#include <windows.h>
#include <dshow.h>

#include <span>

namespace vcam::dshow {

struct CFactoryTemplate;

// What the filter mapper records about a filter.
struct FilterSetup {
  const CLSID* clsid;
  const wchar_t* name;
  DWORD merit;
  UINT pin_count;
  const REGFILTERPINS* pins;
};

// HKEY_CLASSES_ROOT\CLSID\{clsid}: default value `description`, subkey
// "InprocServer32" with default value `module_path` and "ThreadingModel".
HRESULT register_server(const CLSID& clsid, const wchar_t* description, const wchar_t* module_path,
                        const wchar_t* threading_model);
// Deletes HKEY_CLASSES_ROOT\CLSID\{clsid} with its subkeys; S_OK when it was
// not there.
HRESULT unregister_server(const CLSID& clsid);

// Adds the filter to, or removes it from, the DirectShow filters category
// through IFilterMapper2, or through IFilterMapper when the system has no
// IFilterMapper2. Removing a filter the mapper does not know counts as done.
HRESULT register_filter_setup(const FilterSetup& setup, bool add);
// The same through IFilterMapper alone.
HRESULT register_filter_setup_v1(const FilterSetup& setup, bool add);

// DllRegisterServer / DllUnregisterServer for every template of `table`:
// the CLSID keys with the path of `module` (threading model "Both") and the
// mapper entries; removal takes the mapper entries out first. The first
// error is returned at once.
HRESULT register_module(std::span<const CFactoryTemplate> table, HMODULE module, bool add);

}  // namespace vcam::dshow
