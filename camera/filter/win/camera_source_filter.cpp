#include "camera/filter/win/camera_source_filter.h"

#include <memory>
#include <new>

#include "camera/filter/win/filter_identity.h"

namespace vcam::camera {

CameraSourceFilter::CameraSourceFilter() : CSource(kFilterName, kFilterClsid) {
  pin_ = static_cast<CameraOutputPin*>(AddPin(std::unique_ptr<CameraOutputPin>(new (std::nothrow) CameraOutputPin(this))));
}

IUnknown* CameraSourceFilter::CreateInstance(HRESULT* hr) {
  try {
    auto* filter = new (std::nothrow) CameraSourceFilter;
    if (filter && filter->Pin()) return static_cast<IBaseFilter*>(filter);
    delete filter;
  } catch (const std::bad_alloc&) {
  }
  *hr = E_OUTOFMEMORY;
  return nullptr;
}

}  // namespace vcam::camera
