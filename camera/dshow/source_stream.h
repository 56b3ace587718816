#pragma once
// A push pin with its own streaming thread. Pause or Run of the filter starts
// the thread (OnThreadCreate), which then loops: OnThreadStartPlay, and per
// sample a delivery buffer from the agreed allocator, FillBuffer and
// IMemInputPin::Receive, until Stop. FillBuffer returning S_FALSE ends the
// stream (end of stream is delivered); an error also aborts the graph.
// Code on the streaming thread may take the filter's state lock and its
// filter lock: the graph side holds neither while it waits for the thread.
#include <windows.h>
#include <dshow.h>

#include "camera/dshow/base_output_pin.h"
#include "camera/dshow/stream_thread.h"

namespace vcam::dshow {

class CSource;

class CSourceStream : public CBaseOutputPin {
 public:
  CSourceStream(CSource* filter, const wchar_t* name);
  ~CSourceStream() override;

  // Start and stop of the streaming thread; both may be repeated.
  HRESULT Active() override;
  HRESULT Inactive() override;
  HRESULT Run(REFERENCE_TIME start) override;

  // Ends the streaming thread if there is one (also from a destructor).
  void StopStreaming();
  bool ThreadExists() { return thread_.Exists(); }

 protected:
  virtual HRESULT FillBuffer(IMediaSample* sample) = 0;
  virtual HRESULT OnThreadCreate() { return S_OK; }
  virtual HRESULT OnThreadDestroy() { return S_OK; }
  virtual HRESULT OnThreadStartPlay() { return S_OK; }
  // S_FALSE when a Stop ended it, S_OK when the stream ended, an error when
  // filling failed.
  virtual HRESULT DoBufferProcessingLoop();

  CSource* Source() const { return source_; }

 private:
  void ThreadProc();

  CSource* const source_;
  StreamThread thread_;
};

}  // namespace vcam::dshow
