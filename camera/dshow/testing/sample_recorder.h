#pragma once
// ISampleGrabberCB that records what the system Sample Grabber passes on:
// times, media times, length and the first byte of each sample.
#include <windows.h>
#include <dshow.h>

#include <cstdint>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "camera/dshow/testing/grabber_callback.h"
#include "camera/dshow/testing/recording_sink.h"

namespace vcam::dshow::testing {

class SampleRecorder : public GrabberCallback {
 public:
  STDMETHODIMP SampleCB(double, IMediaSample* sample) override {
    const ReceivedSample s = received_sample(sample);
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data))) data = nullptr;
    std::lock_guard lock(lock_);
    if (keep_data_) data_.emplace_back(data, data && s.length > 0 ? data + s.length : data);
    samples_.push_back(s);
    changed_.notify_all();
    return S_OK;
  }

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
