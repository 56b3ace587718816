#pragma once
// DllRegisterServer and DllUnregisterServer of the camera module: the base
// registration (CLSID keys and DirectShow filters category) and the
// video-input device registration through the filter mapper.
#include <windows.h>

namespace vcam::camera {

// `module` is the module whose path the CLSID key records.
HRESULT register_camera(HMODULE module);
HRESULT unregister_camera(HMODULE module);

}  // namespace vcam::camera
