#include "camera/dshow/filter_registration.h"

#include <string>

#include <wrl/client.h>

#include "camera/dshow/class_factory.h"
#include "camera/dshow/com_apartment.h"
#include "common/win/unique_handle.h"

namespace vcam::dshow {
namespace {

using Microsoft::WRL::ComPtr;

std::wstring clsid_key(const CLSID& clsid) {
  wchar_t text[40] = {};
  ::StringFromGUID2(clsid, text, 40);
  return std::wstring(L"CLSID\\") + text;
}

HRESULT set_string(HKEY key, const wchar_t* name, const wchar_t* value) {
  const DWORD bytes = static_cast<DWORD>((std::wcslen(value) + 1) * sizeof(wchar_t));
  const LONG rc = ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes);
  return HRESULT_FROM_WIN32(rc);
}

HRESULT create_key(HKEY parent, const std::wstring& path, UniqueKey* key) {
  const LONG rc = ::RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                                    key->put(), nullptr);
  return HRESULT_FROM_WIN32(rc);
}

bool not_found(HRESULT hr) {
  return hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) || hr == VFW_E_NOT_FOUND;
}

}  // namespace

HRESULT register_filter_setup_v1(const FilterSetup& setup, bool add) {
  ComPtr<IFilterMapper> mapper;
  HRESULT hr = ::CoCreateInstance(CLSID_FilterMapper, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&mapper));
  if (FAILED(hr)) return hr;
  if (!add) {
    hr = mapper->UnregisterFilter(*setup.clsid);
    return not_found(hr) ? S_OK : hr;
  }
  hr = mapper->RegisterFilter(*setup.clsid, setup.name, setup.merit);
  for (UINT p = 0; SUCCEEDED(hr) && p < setup.pin_count; ++p) {
    const REGFILTERPINS& pin = setup.pins[p];
    hr = mapper->RegisterPin(*setup.clsid, pin.strName, pin.bRendered, pin.bOutput, pin.bZero, pin.bMany,
                             pin.clsConnectsToFilter ? *pin.clsConnectsToFilter : GUID_NULL,
                             pin.strConnectsToPin);
    for (UINT t = 0; SUCCEEDED(hr) && t < pin.nMediaTypes; ++t) {
      const REGPINTYPES& type = pin.lpMediaType[t];
      hr = mapper->RegisterPinType(*setup.clsid, pin.strName, type.clsMajorType ? *type.clsMajorType : GUID_NULL,
                                   type.clsMinorType ? *type.clsMinorType : GUID_NULL);
    }
  }
  return hr;
}

HRESULT register_server(const CLSID& clsid, const wchar_t* description, const wchar_t* module_path,
                        const wchar_t* threading_model) {
  UniqueKey key;
  HRESULT hr = create_key(HKEY_CLASSES_ROOT, clsid_key(clsid), &key);
  if (FAILED(hr)) return hr;
  hr = set_string(key.get(), nullptr, description);
  if (FAILED(hr)) return hr;
  UniqueKey server;
  hr = create_key(key.get(), L"InprocServer32", &server);
  if (FAILED(hr)) return hr;
  hr = set_string(server.get(), nullptr, module_path);
  if (FAILED(hr)) return hr;
  return set_string(server.get(), L"ThreadingModel", threading_model);
}

HRESULT unregister_server(const CLSID& clsid) {
  const LONG rc = ::RegDeleteTreeW(HKEY_CLASSES_ROOT, clsid_key(clsid).c_str());
  if (rc == ERROR_FILE_NOT_FOUND) return S_OK;
  return HRESULT_FROM_WIN32(rc);
}

HRESULT register_filter_setup(const FilterSetup& setup, bool add) {
  ComPtr<IFilterMapper2> mapper;
  HRESULT hr = ::CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&mapper));
  if (FAILED(hr)) return register_filter_setup_v1(setup, add);
  if (!add) {
    hr = mapper->UnregisterFilter(&CLSID_LegacyAmFilterCategory, nullptr, *setup.clsid);
    return not_found(hr) ? S_OK : hr;
  }
  REGFILTER2 data{};
  data.dwVersion = 1;
  data.dwMerit = setup.merit;
  data.cPins = setup.pin_count;
  data.rgPins = setup.pins;
  return mapper->RegisterFilter(*setup.clsid, setup.name, nullptr, &CLSID_LegacyAmFilterCategory, nullptr, &data);
}

HRESULT register_module(std::span<const CFactoryTemplate> table, HMODULE module, bool add) {
  // The path as the ANSI file functions see it, widened.
  char narrow[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(module, narrow, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return HRESULT_FROM_WIN32(::GetLastError() ? ::GetLastError() : ERROR_BUFFER_OVERFLOW);
  wchar_t path[MAX_PATH] = {};
  if (::MultiByteToWideChar(CP_ACP, 0, narrow, -1, path, MAX_PATH) == 0) return HRESULT_FROM_WIN32(::GetLastError());

  if (add) {
    for (const CFactoryTemplate& entry : table) {
      const HRESULT hr = register_server(*entry.clsid, entry.name, path, L"Both");
      if (FAILED(hr)) return hr;
    }
  }

  {
    // The mapper is a COM object; the registering thread may not have COM yet.
    const ComApartment com(COINIT_APARTMENTTHREADED);
    for (const CFactoryTemplate& entry : table) {
      if (!entry.setup) continue;
      const HRESULT hr = register_filter_setup(*entry.setup, add);
      if (FAILED(hr)) return hr;
    }
  }

  if (!add) {
    for (const CFactoryTemplate& entry : table) {
      const HRESULT hr = unregister_server(*entry.clsid);
      if (FAILED(hr)) return hr;
    }
  }
  return S_OK;
}

}  // namespace vcam::dshow
