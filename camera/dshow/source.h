#pragma once
// A source filter: a CBaseFilter that owns push pins (CSourceStream). Besides
// the filter lock it has a state lock for what the graph thread and the
// streaming threads share; the graph side never holds it while it waits for
// a streaming thread, so a streaming thread may hold it for a whole sample.
#include <memory>
#include <mutex>
#include <vector>

#include "camera/dshow/base_filter.h"

namespace vcam::dshow {

class CSourceStream;

class CSource : public CBaseFilter {
 public:
  CSource(const wchar_t* name, const CLSID& clsid);
  ~CSource() override;

  int GetPinCount() override;
  CBasePin* GetPin(int index) override;
  long PinVersion() override;

  std::recursive_mutex& state_lock() { return state_lock_; }

 protected:
  // Takes ownership; returns the pin, or null when `pin` is null.
  CSourceStream* AddPin(std::unique_ptr<CSourceStream> pin);

 private:
  std::recursive_mutex state_lock_;
  std::vector<std::unique_ptr<CSourceStream>> pins_;
  long pin_version_ = 1;
};

}  // namespace vcam::dshow
