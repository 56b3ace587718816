#pragma once
// Small uncompressed video types for the base-class tests.
#include <windows.h>
#include <dshow.h>

#include "camera/dshow/media_type.h"

namespace vcam::dshow::testing {

// RGB24, VIDEOINFOHEADER, `width` x `height`, bottom-up.
inline CMediaType rgb24_type(LONG width, LONG height) {
  CMediaType type;
  type->majortype = MEDIATYPE_Video;
  type->subtype = MEDIASUBTYPE_RGB24;
  type->bFixedSizeSamples = TRUE;
  type->formattype = FORMAT_VideoInfo;
  const ULONG stride = ((static_cast<ULONG>(width) * 3 + 3) / 4) * 4;
  type->lSampleSize = stride * static_cast<ULONG>(height);
  auto* info = reinterpret_cast<VIDEOINFOHEADER*>(type.allocate_format(sizeof(VIDEOINFOHEADER)));
  if (info) {
    info->AvgTimePerFrame = 100000;
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = 24;
    info->bmiHeader.biCompression = BI_RGB;
    info->bmiHeader.biSizeImage = type->lSampleSize;
  }
  return type;
}

inline const VIDEOINFOHEADER* video_info(const AM_MEDIA_TYPE& type) {
  if (type.formattype != FORMAT_VideoInfo || type.cbFormat < sizeof(VIDEOINFOHEADER) || !type.pbFormat)
    return nullptr;
  return reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
}

}  // namespace vcam::dshow::testing
