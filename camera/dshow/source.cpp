#include "camera/dshow/source.h"

#include "camera/dshow/source_stream.h"

namespace vcam::dshow {

CSource::CSource(const wchar_t* name, const CLSID& clsid) : CBaseFilter(name, clsid) {}

CSource::~CSource() {
  // A client that drops the filter without stopping it must not leave a
  // streaming thread calling into a pin being destroyed.
  Stop();
  for (auto& pin : pins_) pin->StopStreaming();
}

int CSource::GetPinCount() {
  std::lock_guard lock(filter_lock());
  return static_cast<int>(pins_.size());
}

CBasePin* CSource::GetPin(int index) {
  std::lock_guard lock(filter_lock());
  if (index < 0 || index >= static_cast<int>(pins_.size())) return nullptr;
  return pins_[static_cast<size_t>(index)].get();
}

long CSource::PinVersion() {
  std::lock_guard lock(filter_lock());
  return pin_version_;
}

CSourceStream* CSource::AddPin(std::unique_ptr<CSourceStream> pin) {
  if (!pin) return nullptr;
  std::lock_guard lock(filter_lock());
  pins_.push_back(std::move(pin));
  ++pin_version_;
  return pins_.back().get();
}

}  // namespace vcam::dshow
