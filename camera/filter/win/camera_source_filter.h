#pragma once
// The virtual camera filter: a source filter with one "Capture" pin. It adds
// nothing to the base source filter besides creating its pin.
#include <windows.h>

#include "camera/dshow/source.h"
#include "camera/filter/win/camera_output_pin.h"

namespace vcam::camera {

class CameraSourceFilter : public dshow::CSource {
 public:
  // The class factory's creation function: a filter with no references yet,
  // or null with E_OUTOFMEMORY when the filter or its pin cannot be made.
  static IUnknown* CreateInstance(HRESULT* hr);

  CameraOutputPin* Pin() { return pin_; }

 private:
  CameraSourceFilter();

  CameraOutputPin* pin_ = nullptr;
};

}  // namespace vcam::camera
