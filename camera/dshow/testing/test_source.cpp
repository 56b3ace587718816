#include "camera/dshow/testing/test_source.h"

#include <cstring>
#include <memory>

#include "camera/dshow/testing/video_types.h"

namespace vcam::dshow::testing {

TestStream::TestStream(CSource* filter, const wchar_t* name, TestStreamOptions options)
    : CSourceStream(filter, name), options_(std::move(options)) {}

HRESULT TestStream::CheckMediaType(const AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  const VIDEOINFOHEADER* info = video_info(*type);
  Record("check " + std::to_string(info ? info->bmiHeader.biWidth : 0));
  const auto& allowed = options_.accepted.empty() ? options_.offered : options_.accepted;
  for (const CMediaType& candidate : allowed)
    if (media_types_equal(candidate.get(), *type)) return S_OK;
  return E_INVALIDARG;
}

HRESULT TestStream::GetMediaType(int position, CMediaType* type) {
  if (!type) return E_POINTER;
  if (position < 0) return E_INVALIDARG;
  if (position >= static_cast<int>(options_.offered.size())) return VFW_S_NO_MORE_ITEMS;
  *type = options_.offered[static_cast<size_t>(position)];
  return S_OK;
}

HRESULT TestStream::SetMediaType(const AM_MEDIA_TYPE* type) {
  Record("set");
  return CSourceStream::SetMediaType(type);
}

HRESULT TestStream::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
  if (!allocator || !request) return E_POINTER;
  Record("decide");
  const VIDEOINFOHEADER* info = video_info(CurrentMediaType().get());
  if (!info) return E_UNEXPECTED;
  request->cBuffers = options_.buffers;
  request->cbBuffer = static_cast<long>(info->bmiHeader.biSizeImage);
  ALLOCATOR_PROPERTIES actual{};
  const HRESULT hr = allocator->SetProperties(request, &actual);
  if (FAILED(hr)) return hr;
  if (actual.cbBuffer < request->cbBuffer) return E_FAIL;
  std::lock_guard lock(Source()->state_lock());
  granted_ = actual;
  return S_OK;
}

std::vector<std::string> TestStream::Events() {
  std::lock_guard lock(events_lock_);
  return events_;
}

void TestStream::ClearEvents() {
  std::lock_guard lock(events_lock_);
  events_.clear();
}

ALLOCATOR_PROPERTIES TestStream::Granted() {
  std::lock_guard lock(Source()->state_lock());
  return granted_;
}

HRESULT TestStream::FillBuffer(IMediaSample* sample) {
  std::lock_guard lock(Source()->state_lock());
  if (options_.sample_limit > 0 && index_ >= options_.sample_limit) return S_FALSE;
  if (index_ == options_.fail_at) return options_.fail_with;
  BYTE* data = nullptr;
  if (FAILED(sample->GetPointer(&data))) return E_UNEXPECTED;
  const long size = sample->GetSize();
  // Every byte of sample n holds n, so a receiver can tell samples apart.
  std::memset(data, static_cast<int>(index_ & 0xFF), static_cast<size_t>(size));
  sample->SetActualDataLength(size);
  REFERENCE_TIME start = index_ * options_.period;
  REFERENCE_TIME stop = start + options_.period;
  sample->SetTime(&start, &stop);
  LONGLONG media_start = index_;
  LONGLONG media_stop = index_ + 1;
  sample->SetMediaTime(&media_start, &media_stop);
  sample->SetSyncPoint(TRUE);
  ++index_;
  ++filled_;
  if (filled_ == 1) Record("fill");
  return S_OK;
}

HRESULT TestStream::OnThreadCreate() {
  thread_id_ = ::GetCurrentThreadId();
  Record("create");
  std::lock_guard lock(Source()->state_lock());
  index_ = 0;
  return options_.thread_create_result;
}

HRESULT TestStream::OnThreadStartPlay() {
  Record("start");
  return S_OK;
}

HRESULT TestStream::OnThreadDestroy() {
  Record("destroy");
  return S_OK;
}

void TestStream::Record(std::string event) {
  std::lock_guard lock(events_lock_);
  events_.push_back(std::move(event));
}

TestSource::TestSource(TestStreamOptions options) : CSource(L"Test Source", kTestSourceClsid) {
  stream_ = static_cast<TestStream*>(AddPin(std::make_unique<TestStream>(this, L"Out", std::move(options))));
}

void TestSource::AddSecondPin() { AddPin(std::make_unique<TestStream>(this, L"Out2", TestStreamOptions{})); }

}  // namespace vcam::dshow::testing
