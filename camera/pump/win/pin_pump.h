#pragma once
// Everything the output pin needs for streaming, in one member: the pin's
// frame channel (opened here, in the pin's constructor, once), the system
// clock, the GDI placeholder and the pump wired to them. The pin provides the
// companion starter (RunVCAPP) and forwards its overrides:
//
//   CameraOutputPin::CameraOutputPin(...) : pump_(starter_) {}
//   HRESULT Active()            { pump_.pump().active(); return CSourceStream::Active(); }
//   HRESULT SetMediaType(mt)    { pump_.pump().set_media_type(vih->bmiHeader.biWidth, vih->bmiHeader.biHeight);
//                                 return CSourceStream::SetMediaType(mt); }
//   HRESULT OnThreadCreate()    { pump_.pump().on_thread_create(<connection biWidth>, <biHeight>); return S_OK; }
//   HRESULT FillBuffer(sample)  { return pump_.fill_buffer(sample); }
//   HRESULT OnThreadDestroy()   { pump_.pump().on_thread_destroy(); return S_OK; }
//
// each under the filter's state lock.
#include <windows.h>

#include <strmif.h>

#include "camera/channel/win/frame_channel.h"
#include "camera/pump/frame_pump.h"
#include "camera/pump/win/gdi_placeholder_builder.h"
#include "camera/pump/win/system_pump_clock.h"

namespace vcam::camera {

class PinPump {
 public:
  // Opens the frame channel once; a channel that fails to open leaves the pin
  // streaming the placeholder.
  explicit PinPump(CompanionStarter& companion, RegionNames channel_names = kFrameChannelNames);
  PinPump(const PinPump&) = delete;
  PinPump& operator=(const PinPump&) = delete;

  FramePump& pump() { return pump_; }
  FrameChannel& channel() { return channel_; }

  // FillBuffer: E_POINTER for a null sample, otherwise fills it and gives S_OK.
  HRESULT fill_buffer(IMediaSample* sample);

 private:
  // Declared in this order so that the pump goes first and the channel is
  // closed last, after the pump's buffers are freed.
  FrameChannel channel_;
  SystemPumpClock clock_;
  GdiPlaceholderBuilder placeholder_;
  FramePump pump_;
};

}  // namespace vcam::camera
