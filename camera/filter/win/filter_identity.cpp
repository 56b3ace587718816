#include "camera/filter/win/filter_identity.h"

#include "camera/filter/win/camera_output_pin.h"
#include "camera/filter/win/camera_source_filter.h"

namespace vcam::camera {
namespace {

const REGPINTYPES kPinTypes[] = {{&MEDIATYPE_Video, &MEDIASUBTYPE_RGB24}};

// Output, not rendered, exactly one instance, to any filter and pin.
const REGFILTERPINS kPins[] = {{
    const_cast<LPWSTR>(kCapturePinName),
    FALSE,     // bRendered
    TRUE,      // bOutput
    FALSE,     // bZero
    FALSE,     // bMany
    &CLSID_NULL,
    nullptr,
    1,
    kPinTypes,
}};

REGFILTER2 device_registration() {
  REGFILTER2 r{};
  r.dwVersion = 1;
  r.dwMerit = kDeviceMerit;
  r.cPins = 1;
  r.rgPins = kPins;
  return r;
}

const dshow::CFactoryTemplate kTemplates[] = {
    {kFilterName, &kFilterClsid, &CameraSourceFilter::CreateInstance, &kFilterSetup},
};

}  // namespace

const dshow::FilterSetup kFilterSetup = {&kFilterClsid, kFilterName, kFilterMerit, 1, kPins};
const REGFILTER2 kDeviceRegistration = device_registration();

std::span<const dshow::CFactoryTemplate> factory_table() { return kTemplates; }

}  // namespace vcam::camera
