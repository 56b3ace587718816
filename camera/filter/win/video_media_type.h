#pragma once
// The pin's media types and capability records built from the format table.
#include <windows.h>
#include <dshow.h>

#include "camera/dshow/media_type.h"
#include "camera/filter/format_table.h"

namespace vcam::camera {

// Uncompressed RGB24 with a VIDEOINFOHEADER for `size` at `rate` frames per
// second. When the format block cannot be allocated the type has none.
dshow::CMediaType make_video_type(FrameSize size, std::int32_t rate);

// Fills `type` (whose previous contents are not freed) like make_video_type;
// E_OUTOFMEMORY when the format block cannot be allocated.
HRESULT fill_video_type(AM_MEDIA_TYPE& type, FrameSize size, std::int32_t rate);

VIDEO_STREAM_CONFIG_CAPS make_stream_caps(FrameSize size, std::int32_t rate);

// The VIDEOINFOHEADER of a type, or null when the type does not carry a
// whole one.
const VIDEOINFOHEADER* video_info_of(const AM_MEDIA_TYPE& type);

}  // namespace vcam::camera
