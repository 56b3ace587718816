#include "camera/filter/win/camera_registration.h"

#include <dshow.h>

#include <wrl/client.h>

#include "camera/dshow/com_apartment.h"
#include "camera/filter/win/filter_identity.h"

namespace vcam::camera {
namespace {

using Microsoft::WRL::ComPtr;

HRESULT create_mapper(ComPtr<IFilterMapper2>* mapper) {
  return ::CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(mapper->GetAddressOf()));
}

}  // namespace

// COM for the mapper calls is taken once for both steps; the registering
// thread may have none.
HRESULT register_camera(HMODULE module) {
  const dshow::ComApartment com(COINIT_APARTMENTTHREADED);
  HRESULT hr = dshow::register_module(factory_table(), module, true);
  if (FAILED(hr)) return hr;
  ComPtr<IFilterMapper2> mapper;
  hr = create_mapper(&mapper);
  if (FAILED(hr)) return hr;
  return mapper->RegisterFilter(kFilterClsid, kFilterName, nullptr, &CLSID_VideoInputDeviceCategory, kFilterName,
                                &kDeviceRegistration);
}

HRESULT unregister_camera(HMODULE module) {
  const dshow::ComApartment com(COINIT_APARTMENTTHREADED);
  HRESULT hr = dshow::register_module(factory_table(), module, false);
  if (FAILED(hr)) return hr;
  ComPtr<IFilterMapper2> mapper;
  hr = create_mapper(&mapper);
  if (FAILED(hr)) return hr;
  return mapper->UnregisterFilter(&CLSID_VideoInputDeviceCategory, kFilterName, kFilterClsid);
}

}  // namespace vcam::camera
