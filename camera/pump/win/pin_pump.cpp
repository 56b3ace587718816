#include "camera/pump/win/pin_pump.h"

#include <utility>

#include "camera/pump/win/media_sample_adapter.h"

namespace vcam::camera {

PinPump::PinPump(CompanionStarter& companion, RegionNames channel_names)
    : channel_(std::move(channel_names)), pump_(channel_, clock_, placeholder_, companion) {
  channel_.open();
}

HRESULT PinPump::fill_buffer(IMediaSample* sample) {
  if (!sample) return E_POINTER;
  MediaSampleAdapter adapter(sample);
  pump_.fill_buffer(adapter);
  return S_OK;
}

}  // namespace vcam::camera
