#pragma once
// A capture device connected to the system Sample Grabber and Null Renderer
// in a filter graph; the grabber's callback keeps a record of every sample
// and a copy of the chosen ones.
#include <windows.h>
#include <dshow.h>
#include <qedit.h>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <wrl/client.h>

#include "camera/dshow/media_type.h"
#include "tools/capture/sample_line.h"

namespace vcam::capture {

struct Capability {
  int index = 0;
  std::int32_t width = 0, height = 0;
  dshow::CMediaType type;  // as GetStreamCaps gives it; SetFormat takes it back
  VIDEO_STREAM_CONFIG_CAPS caps{};
};

class CaptureGraph : public ISampleGrabberCB {
 public:
  explicit CaptureGraph(Microsoft::WRL::ComPtr<IBaseFilter> device);
  virtual ~CaptureGraph();
  CaptureGraph(const CaptureGraph&) = delete;
  CaptureGraph& operator=(const CaptureGraph&) = delete;

  // The device's capture pin: an output pin of the capture category, or its
  // first output pin. False when it has none.
  bool FindCapturePin();
  // Through the pin's IAMStreamConfig; empty when the pin has none.
  std::vector<Capability> Capabilities();
  // SetFormat with the first capability of this size; the HRESULT of
  // SetFormat, or VFW_E_INVALIDMEDIATYPE when no capability has the size.
  HRESULT ChooseSize(std::int32_t width, std::int32_t height);

  // Adds the filters and connects device -> grabber -> renderer.
  HRESULT Build(bool with_clock);
  // The agreed type of the device's pin.
  dshow::CMediaType ConnectionType();

  // Whether a sample's bytes are kept (called with the sample index).
  void KeepSamples(std::function<bool(std::int64_t)> wanted) { wanted_ = std::move(wanted); }

  HRESULT Run();
  // Waits until `count` samples arrived or `timeout_ms` passed; true when
  // they arrived.
  bool WaitForSamples(std::int64_t count, DWORD timeout_ms);
  void Stop();

  std::vector<SampleRecord> Records();
  // When the first sample arrived, in milliseconds since 1970 (UTC); empty
  // before it did.
  std::optional<std::int64_t> FirstSampleUnixMs();
  std::map<std::int64_t, std::vector<std::uint8_t>> KeptSamples();

  // ISampleGrabberCB; the object lives as long as the graph that calls it.
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP SampleCB(double time, IMediaSample* sample) override;
  STDMETHODIMP BufferCB(double, BYTE*, long) override { return E_NOTIMPL; }

 private:
  Microsoft::WRL::ComPtr<IBaseFilter> device_;
  Microsoft::WRL::ComPtr<IPin> capture_pin_;
  Microsoft::WRL::ComPtr<IGraphBuilder> graph_;
  Microsoft::WRL::ComPtr<IBaseFilter> grabber_, renderer_;
  Microsoft::WRL::ComPtr<IMediaControl> control_;
  std::function<bool(std::int64_t)> wanted_;

  std::mutex lock_;
  std::condition_variable arrived_;
  std::vector<SampleRecord> records_;
  std::optional<std::int64_t> first_sample_unix_ms_;
  std::map<std::int64_t, std::vector<std::uint8_t>> kept_;
};

}  // namespace vcam::capture
