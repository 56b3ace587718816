#pragma once
// Friendly names of the filters the system device enumerator lists in a
// category (an empty list when the category has none), and the filter data
// that the filter mapper stored for one of them.
#include <windows.h>
#include <dshow.h>

#include <cstdint>
#include <cstring>
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

// The binary "FilterData" of the filter listed as `name` in `category`, as
// the device enumerator reads it from the registry; empty when there is none.
inline std::vector<std::uint8_t> filter_data(const CLSID& category, const std::wstring& name) {
  using Microsoft::WRL::ComPtr;
  std::vector<std::uint8_t> data;
  ComPtr<ICreateDevEnum> devices;
  if (FAILED(::CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&devices))))
    return data;
  ComPtr<IEnumMoniker> monikers;
  if (devices->CreateClassEnumerator(category, &monikers, 0) != S_OK || !monikers) return data;
  ComPtr<IMoniker> moniker;
  while (data.empty() && monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
    ComPtr<IPropertyBag> bag;
    if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag)))) continue;
    VARIANT value;
    ::VariantInit(&value);
    const bool named = SUCCEEDED(bag->Read(L"FriendlyName", &value, nullptr)) && value.vt == VT_BSTR &&
                       name == value.bstrVal;
    ::VariantClear(&value);
    if (!named) continue;
    if (SUCCEEDED(bag->Read(L"FilterData", &value, nullptr)) && value.vt == (VT_ARRAY | VT_UI1) && value.parray) {
      void* bytes = nullptr;
      const ULONG size = value.parray->rgsabound[0].cElements;
      if (SUCCEEDED(::SafeArrayAccessData(value.parray, &bytes))) {
        data.resize(size);
        if (size > 0) std::memcpy(data.data(), bytes, size);
        ::SafeArrayUnaccessData(value.parray);
      }
    }
    ::VariantClear(&value);
  }
  return data;
}

}  // namespace vcam::dshow::testing
