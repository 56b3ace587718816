#pragma once
// ISampleGrabberCB that records what the system Sample Grabber passes on:
// times, media times, length and the first byte of each sample.
#include <windows.h>
#include <dshow.h>
#include <qedit.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "camera/dshow/testing/recording_sink.h"

namespace vcam::dshow::testing {

class SampleRecorder : public ISampleGrabberCB {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_ISampleGrabberCB) return E_NOINTERFACE;
    *object = static_cast<ISampleGrabberCB*>(this);
    AddRef();
    return S_OK;
  }
  // Lives on the test's stack; the grabber's references do not own it.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }

  STDMETHODIMP SampleCB(double, IMediaSample* sample) override {
    ReceivedSample s;
    s.tick = ::timeGetTime();
    s.time_result = sample->GetTime(&s.start, &s.stop);
    s.media_time_result = sample->GetMediaTime(&s.media_start, &s.media_stop);
    s.length = sample->GetActualDataLength();
    BYTE* data = nullptr;
    if (SUCCEEDED(sample->GetPointer(&data)) && data && s.length > 0) s.first_byte = data[0];
    s.sync_point = sample->IsSyncPoint() == S_OK;
    s.discontinuity = sample->IsDiscontinuity() == S_OK;
    s.preroll = sample->IsPreroll() == S_OK;
    std::lock_guard lock(lock_);
    if (keep_data_) data_.emplace_back(data, data + (s.length > 0 ? s.length : 0));
    samples_.push_back(s);
    changed_.notify_all();
    return S_OK;
  }
  STDMETHODIMP BufferCB(double, BYTE*, long) override { return E_NOTIMPL; }

  std::vector<ReceivedSample> Samples() {
    std::lock_guard lock(lock_);
    return samples_;
  }
  void Clear() {
    std::lock_guard lock(lock_);
    samples_.clear();
    data_.clear();
  }
  // Keeps a copy of every sample's bytes from now on.
  void KeepData() {
    std::lock_guard lock(lock_);
    keep_data_ = true;
  }
  std::vector<std::uint8_t> Data(size_t index) {
    std::lock_guard lock(lock_);
    return index < data_.size() ? data_[index] : std::vector<std::uint8_t>{};
  }
  bool WaitFor(size_t count, DWORD timeout_ms) {
    std::unique_lock lock(lock_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] { return samples_.size() >= count; });
  }

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  std::vector<ReceivedSample> samples_;
  bool keep_data_ = false;
  std::vector<std::vector<std::uint8_t>> data_;
};

}  // namespace vcam::dshow::testing
