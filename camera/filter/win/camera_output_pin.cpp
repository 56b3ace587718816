#include "camera/filter/win/camera_output_pin.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "camera/filter/format_table.h"
#include "camera/filter/win/video_media_type.h"

namespace vcam::camera {
namespace {

constexpr DWORD kPinCategorySize = sizeof(GUID);

bool is_uncompressed_rgb24_video(const AM_MEDIA_TYPE& type) {
  return type.majortype == MEDIATYPE_Video && type.subtype == MEDIASUBTYPE_RGB24 && type.bFixedSizeSamples &&
         !type.bTemporalCompression && type.formattype == FORMAT_VideoInfo;
}

}  // namespace

static_assert(kOutputFramesPerSecond == kFramesPerSecond, "the offered rate is the pump's rate");

CameraOutputPin::CameraOutputPin(dshow::CSource* filter)
    : CSourceStream(filter, kCapturePinName),
      configured_(make_video_type(kFormatTable[kDefaultFormatIndex], kOutputFramesPerSecond)),
      pump_(companion_) {}

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
  std::lock_guard lock(configured_lock_);
  return configured_.set(*type);
}

STDMETHODIMP CameraOutputPin::GetFormat(AM_MEDIA_TYPE** type) {
  if (!type) return E_POINTER;
  std::lock_guard lock(configured_lock_);
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
  const VIDEOINFOHEADER* proposed = video_info_of(*type);
  std::lock_guard lock(configured_lock_);
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
  const VIDEOINFOHEADER* info = video_info_of(*type);
  if (!info) return VFW_E_TYPE_NOT_ACCEPTED;
  std::lock_guard lock(state_lock());
  pump_.pump().set_media_type(info->bmiHeader.biWidth, info->bmiHeader.biHeight);
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
    pump_.pump().active();
  }
  return CSourceStream::Active();
}

HRESULT CameraOutputPin::FillBuffer(IMediaSample* sample) {
  if (!sample) return E_POINTER;
  std::lock_guard lock(state_lock());
  return pump_.fill_buffer(sample);
}

// A run after a stop on the same connection gets back the geometry that the
// end of the previous run cleared.
HRESULT CameraOutputPin::OnThreadCreate() {
  std::lock_guard lock(state_lock());
  if (const VIDEOINFOHEADER* info = video_info_of(CurrentMediaType().get()))
    pump_.pump().on_thread_create(info->bmiHeader.biWidth, info->bmiHeader.biHeight);
  return S_OK;
}

HRESULT CameraOutputPin::OnThreadDestroy() {
  std::lock_guard lock(state_lock());
  pump_.pump().on_thread_destroy();
  return S_OK;
}

}  // namespace vcam::camera
