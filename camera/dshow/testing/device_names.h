#pragma once
// Friendly names of the filters the system device enumerator lists in a
// category (an empty list when the category has none).
#include <windows.h>
#include <dshow.h>

#include <string>
#include <vector>

#include <wrl/client.h>

namespace vcam::dshow::testing {

inline std::vector<std::wstring> device_names(const CLSID& category) {
  using Microsoft::WRL::ComPtr;
  std::vector<std::wstring> names;
  ComPtr<ICreateDevEnum> devices;
  if (FAILED(::CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&devices))))
    return names;
  ComPtr<IEnumMoniker> monikers;
  if (devices->CreateClassEnumerator(category, &monikers, 0) != S_OK || !monikers) return names;
  ComPtr<IMoniker> moniker;
  while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
    ComPtr<IPropertyBag> bag;
    if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag)))) continue;
    VARIANT name;
    ::VariantInit(&name);
    if (SUCCEEDED(bag->Read(L"FriendlyName", &name, nullptr)) && name.vt == VT_BSTR) names.emplace_back(name.bstrVal);
    ::VariantClear(&name);
  }
  return names;
}

}  // namespace vcam::dshow::testing
