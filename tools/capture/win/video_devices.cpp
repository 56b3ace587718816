#include "tools/capture/win/video_devices.h"

#include "common/win/wide.h"

namespace vcam::capture {
namespace {

using Microsoft::WRL::ComPtr;

// Calls `visit(name, moniker)` for each device until it returns false.
template <typename Visit>
void for_each_device(Visit visit) {
  ComPtr<ICreateDevEnum> devices;
  if (FAILED(::CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&devices))))
    return;
  ComPtr<IEnumMoniker> monikers;
  // S_FALSE and no enumerator when the category is empty.
  if (devices->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, &monikers, 0) != S_OK || !monikers) return;
  ComPtr<IMoniker> moniker;
  while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
    ComPtr<IPropertyBag> bag;
    if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag)))) continue;
    VARIANT value;
    ::VariantInit(&value);
    std::u16string name;
    if (SUCCEEDED(bag->Read(L"FriendlyName", &value, nullptr)) && value.vt == VT_BSTR && value.bstrVal)
      name = u16(value.bstrVal);
    ::VariantClear(&value);
    if (!visit(name, moniker.Get())) return;
  }
}

}  // namespace

std::vector<std::u16string> video_device_names() {
  std::vector<std::u16string> names;
  for_each_device([&](const std::u16string& name, IMoniker*) {
    names.push_back(name);
    return true;
  });
  return names;
}

ComPtr<IBaseFilter> open_video_device(const std::u16string& wanted) {
  ComPtr<IBaseFilter> filter;
  for_each_device([&](const std::u16string& name, IMoniker* moniker) {
    if (name != wanted) return true;
    moniker->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&filter));
    return false;
  });
  return filter;
}

}  // namespace vcam::capture
