#include "camera/filter/win/camera_output_pin.h"

#include <mmsystem.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "camera/filter/format_table.h"
#include "camera/filter/win/run_vcapp.h"
#include "camera/filter/win/video_media_type.h"

namespace vcam::camera {
namespace {

constexpr DWORD kPinCategorySize = sizeof(GUID);

bool is_uncompressed_rgb24_video(const AM_MEDIA_TYPE& type) {
  return type.majortype == MEDIATYPE_Video && type.subtype == MEDIASUBTYPE_RGB24 && type.bFixedSizeSamples &&
         !type.bTemporalCompression && type.formattype == FORMAT_VideoInfo;
}

}  // namespace

CameraOutputPin::CameraOutputPin(dshow::CSource* filter)
    : CSourceStream(filter, kCapturePinName),
      configured_(make_video_type(kFormatTable[kDefaultFormatIndex], kOutputFramesPerSecond)) {}

CameraOutputPin::~CameraOutputPin() = default;

STDMETHODIMP CameraOutputPin::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IAMStreamConfig) {
    *object = static_cast<IAMStreamConfig*>(this);
  } else if (iid == IID_IKsPropertySet) {
    *object = static_cast<IKsPropertySet*>(this);
  } else {
    return CSourceStream::QueryInterface(iid, object);
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) CameraOutputPin::AddRef() { return CSourceStream::AddRef(); }

STDMETHODIMP_(ULONG) CameraOutputPin::Release() { return CSourceStream::Release(); }

STDMETHODIMP CameraOutputPin::SetFormat(AM_MEDIA_TYPE* type) {
  if (!type || !type->pbFormat) return E_POINTER;
  std::lock_guard filter_lock(Source()->filter_lock());
  if (!Source()->IsStopped()) return VFW_E_NOT_STOPPED;
  if (!is_uncompressed_rgb24_video(*type)) return VFW_E_INVALIDMEDIATYPE;
  const VIDEOINFOHEADER* info = video_info_of(*type);
  if (!info || !find_format(info->bmiHeader.biWidth, info->bmiHeader.biHeight)) return VFW_E_INVALIDMEDIATYPE;
  std::lock_guard lock(state_lock());
  return configured_.set(*type);
}

STDMETHODIMP CameraOutputPin::GetFormat(AM_MEDIA_TYPE** type) {
  if (!type) return E_POINTER;
  std::lock_guard filter_lock(Source()->filter_lock());
  std::lock_guard lock(state_lock());
  AM_MEDIA_TYPE* copy = dshow::create_media_type(configured_.get());
  if (!copy) return E_OUTOFMEMORY;
  *type = copy;
  return S_OK;
}

STDMETHODIMP CameraOutputPin::GetNumberOfCapabilities(int* count, int* size) {
  if (!count || !size) return E_POINTER;
  *count = kFormatCount;
  *size = sizeof(VIDEO_STREAM_CONFIG_CAPS);
  return S_OK;
}

STDMETHODIMP CameraOutputPin::GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) {
  if (index < 0 || index >= kFormatCount) return E_INVALIDARG;
  if (!type || !caps) return E_POINTER;
  const FrameSize size = kFormatTable[static_cast<size_t>(index)];
  auto* result = static_cast<AM_MEDIA_TYPE*>(::CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
  if (!result) return E_OUTOFMEMORY;
  if (FAILED(fill_video_type(*result, size, kOutputFramesPerSecond))) {
    ::CoTaskMemFree(result);
    return E_OUTOFMEMORY;
  }
  const VIDEO_STREAM_CONFIG_CAPS record = make_stream_caps(size, kOutputFramesPerSecond);
  std::memcpy(caps, &record, sizeof record);
  *type = result;
  return S_OK;
}

STDMETHODIMP CameraOutputPin::Set(REFGUID, DWORD, LPVOID, DWORD, LPVOID, DWORD) { return E_NOTIMPL; }

STDMETHODIMP CameraOutputPin::Get(REFGUID set, DWORD id, LPVOID, DWORD, LPVOID data, DWORD data_size,
                                  DWORD* returned) {
  if (set != AMPROPSETID_Pin) return E_PROP_SET_UNSUPPORTED;
  if (id != AMPROPERTY_PIN_CATEGORY) return E_PROP_ID_UNSUPPORTED;
  if (!data && !returned) return E_POINTER;
  // The size is reported even when the buffer turns out too small, so the
  // caller learns what to offer.
  if (returned) *returned = kPinCategorySize;
  if (!data) return S_OK;
  if (data_size < kPinCategorySize) return E_UNEXPECTED;
  *static_cast<GUID*>(data) = PIN_CATEGORY_CAPTURE;
  return S_OK;
}

STDMETHODIMP CameraOutputPin::QuerySupported(REFGUID set, DWORD id, DWORD* support) {
  if (set != AMPROPSETID_Pin) return E_PROP_SET_UNSUPPORTED;
  if (id != AMPROPERTY_PIN_CATEGORY) return E_PROP_ID_UNSUPPORTED;
  if (!support) return E_POINTER;
  *support = KSPROPERTY_SUPPORT_GET;
  return S_OK;
}

STDMETHODIMP CameraOutputPin::Notify(IBaseFilter*, Quality) { return E_FAIL; }

HRESULT CameraOutputPin::CheckMediaType(const AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  if (!is_uncompressed_rgb24_video(*type)) return E_INVALIDARG;
  std::lock_guard filter_lock(Source()->filter_lock());
  const VIDEOINFOHEADER* proposed = video_info_of(*type);
  const VIDEOINFOHEADER* configured = video_info_of(configured_.get());
  if (!proposed || !configured) return E_INVALIDARG;
  if (proposed->bmiHeader.biWidth != configured->bmiHeader.biWidth ||
      proposed->bmiHeader.biHeight != configured->bmiHeader.biHeight)
    return E_INVALIDARG;
  return S_OK;
}

HRESULT CameraOutputPin::GetMediaType(int position, dshow::CMediaType* type) {
  if (!type) return E_POINTER;
  if (position < 0) return E_INVALIDARG;
  if (position >= kFormatCount) return VFW_S_NO_MORE_ITEMS;
  std::lock_guard lock(state_lock());
  *type = make_video_type(kFormatTable[static_cast<size_t>(position)], kOutputFramesPerSecond);
  return S_OK;
}

HRESULT CameraOutputPin::SetMediaType(const AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  std::lock_guard lock(state_lock());
  RunVCAPP();
  if (const VIDEOINFOHEADER* info = video_info_of(*type)) {
    out_width_ = info->bmiHeader.biWidth;
    out_height_ = std::abs(info->bmiHeader.biHeight);
  }
  return CSourceStream::SetMediaType(type);
}

HRESULT CameraOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
  if (!allocator || !request) return E_POINTER;
  std::lock_guard lock(state_lock());
  const VIDEOINFOHEADER* info = video_info_of(CurrentMediaType().get());
  if (!info) return E_UNEXPECTED;
  request->cBuffers = 1;
  request->cbBuffer = info->bmiHeader.biWidth * std::abs(info->bmiHeader.biHeight) * 3;
  ALLOCATOR_PROPERTIES granted{};
  const HRESULT hr = allocator->SetProperties(request, &granted);
  if (FAILED(hr)) return hr;
  return granted.cbBuffer < request->cbBuffer ? E_FAIL : S_OK;
}

HRESULT CameraOutputPin::Active() {
  {
    std::lock_guard lock(state_lock());
    start_tick_ = ::timeGetTime();
    next_sample_time_ = 0;
    frame_counter_ = 0;
  }
  return CSourceStream::Active();
}

HRESULT CameraOutputPin::FillBuffer(IMediaSample* sample) {
  if (!sample) return E_POINTER;
  std::lock_guard lock(state_lock());
  BYTE* data = nullptr;
  sample->GetPointer(&data);
  const long size = sample->GetSize();

  const std::uint64_t due = static_cast<std::uint64_t>(next_sample_time_ / 10'000);
  while (static_cast<std::uint32_t>(::timeGetTime() - static_cast<std::uint32_t>(start_tick_)) <= due) ::Sleep(5);

  REFERENCE_TIME start = next_sample_time_;
  next_sample_time_ += 10'000'000 / kOutputFramesPerSecond;
  REFERENCE_TIME stop = next_sample_time_;
  sample->SetTime(&start, &stop);
  LONGLONG media_start = frame_counter_;
  LONGLONG media_stop = frame_counter_ + 1;
  ++frame_counter_;
  sample->SetMediaTime(&media_start, &media_stop);
  sample->SetSyncPoint(TRUE);

  // A grey ramp that moves one step a frame.
  if (data && out_width_ > 0) {
    const std::uint32_t stride = dib_stride24(out_width_);
    for (long offset = 0; offset < size; ++offset) {
      const long column = static_cast<long>((offset % stride) / 3);
      data[offset] = static_cast<BYTE>(column + media_start);
    }
  }
  return S_OK;
}

HRESULT CameraOutputPin::OnThreadCreate() {
  std::lock_guard lock(state_lock());
  if (const VIDEOINFOHEADER* info = video_info_of(CurrentMediaType().get())) {
    out_width_ = info->bmiHeader.biWidth;
    out_height_ = std::abs(info->bmiHeader.biHeight);
  }
  return S_OK;
}

HRESULT CameraOutputPin::OnThreadDestroy() {
  std::lock_guard lock(state_lock());
  out_width_ = 0;
  out_height_ = 0;
  return S_OK;
}

}  // namespace vcam::camera
