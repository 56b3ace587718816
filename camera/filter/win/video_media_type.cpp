#include "camera/filter/win/video_media_type.h"

#include <cstring>

namespace vcam::camera {

static_assert(sizeof(VIDEOINFOHEADER) == 88);
static_assert(sizeof(VIDEO_STREAM_CONFIG_CAPS) == 128);

HRESULT fill_video_type(AM_MEDIA_TYPE& type, FrameSize size, std::int32_t rate) {
  const VideoTypeFigures f = video_type_figures(size, rate);
  type = AM_MEDIA_TYPE{};
  type.majortype = MEDIATYPE_Video;
  type.subtype = MEDIASUBTYPE_RGB24;
  type.bFixedSizeSamples = TRUE;
  type.bTemporalCompression = FALSE;
  type.lSampleSize = f.sample_size;
  type.formattype = FORMAT_VideoInfo;
  auto* info = static_cast<VIDEOINFOHEADER*>(::CoTaskMemAlloc(sizeof(VIDEOINFOHEADER)));
  if (!info) return E_OUTOFMEMORY;
  std::memset(info, 0, sizeof *info);
  info->dwBitRate = f.bit_rate;
  info->AvgTimePerFrame = f.avg_time_per_frame;
  info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info->bmiHeader.biWidth = f.width;
  info->bmiHeader.biHeight = f.height;
  info->bmiHeader.biPlanes = 1;
  info->bmiHeader.biBitCount = 24;
  info->bmiHeader.biCompression = BI_RGB;
  info->bmiHeader.biSizeImage = f.sample_size;
  type.cbFormat = sizeof(VIDEOINFOHEADER);
  type.pbFormat = reinterpret_cast<BYTE*>(info);
  return S_OK;
}

dshow::CMediaType make_video_type(FrameSize size, std::int32_t rate) {
  dshow::CMediaType type;
  fill_video_type(type.get(), size, rate);
  return type;
}

VIDEO_STREAM_CONFIG_CAPS make_stream_caps(FrameSize size, std::int32_t rate) {
  const CapabilityFigures f = capability_figures(size, rate);
  const SIZE frame{f.input_size.width, f.input_size.height};
  VIDEO_STREAM_CONFIG_CAPS caps{};
  caps.guid = FORMAT_VideoInfo;
  caps.VideoStandard = 0;
  caps.InputSize = frame;
  caps.MinCroppingSize = frame;
  caps.MaxCroppingSize = frame;
  caps.CropGranularityX = f.granularity;
  caps.CropGranularityY = f.granularity;
  caps.CropAlignX = f.granularity;
  caps.CropAlignY = f.granularity;
  caps.MinOutputSize = frame;
  caps.MaxOutputSize = frame;
  caps.OutputGranularityX = f.granularity;
  caps.OutputGranularityY = f.granularity;
  caps.StretchTapsX = 0;
  caps.StretchTapsY = 0;
  caps.ShrinkTapsX = 0;
  caps.ShrinkTapsY = 0;
  caps.MinFrameInterval = f.min_frame_interval;
  caps.MaxFrameInterval = f.max_frame_interval;
  caps.MinBitsPerSecond = f.min_bits_per_second;
  caps.MaxBitsPerSecond = f.max_bits_per_second;
  return caps;
}

const VIDEOINFOHEADER* video_info_of(const AM_MEDIA_TYPE& type) {
  if (!type.pbFormat || type.cbFormat < sizeof(VIDEOINFOHEADER)) return nullptr;
  return reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
}

}  // namespace vcam::camera
