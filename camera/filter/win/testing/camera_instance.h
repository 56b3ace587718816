#pragma once
// A camera filter made by its class factory's creation function, with its pin.
#include <windows.h>
#include <dshow.h>

#include <wrl/client.h>

#include "camera/filter/win/camera_source_filter.h"

namespace vcam::camera::testing {

struct CameraInstance {
  CameraInstance() {
    HRESULT hr = S_OK;
    IUnknown* object = CameraSourceFilter::CreateInstance(&hr);
    if (object) object->QueryInterface(IID_PPV_ARGS(&filter));
    if (filter) pin = static_cast<CameraSourceFilter*>(filter.Get())->Pin();
  }
  Microsoft::WRL::ComPtr<IBaseFilter> filter;
  CameraOutputPin* pin = nullptr;
};

}  // namespace vcam::camera::testing
