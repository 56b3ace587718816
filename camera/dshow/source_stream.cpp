#include "camera/dshow/source_stream.h"

#include <wrl/client.h>

#include "camera/dshow/com_apartment.h"
#include "camera/dshow/source.h"

namespace vcam::dshow {

using Command = StreamThread::Command;
using Microsoft::WRL::ComPtr;

CSourceStream::CSourceStream(CSource* filter, const wchar_t* name) : CBaseOutputPin(filter, name), source_(filter) {}

CSourceStream::~CSourceStream() { StopStreaming(); }

// The connection cannot change here: the filter has left the stopped state.
// The waits for the thread's replies hold no filter lock.
HRESULT CSourceStream::Active() {
  if (!IsConnected()) return S_OK;
  if (thread_.Exists()) return S_OK;
  HRESULT hr = CBaseOutputPin::Active();
  if (FAILED(hr)) return hr;
  if (!thread_.Create([this] { ThreadProc(); })) return E_FAIL;
  hr = thread_.CallWorker(Command::kInit);
  if (FAILED(hr)) {
    thread_.Close();
    CBaseOutputPin::Inactive();
    return hr;
  }
  return thread_.CallWorker(Command::kPause);
}

HRESULT CSourceStream::Inactive() {
  if (!IsConnected()) return S_OK;
  // Decommitting first releases a thread that waits for a buffer.
  const HRESULT hr = CBaseOutputPin::Inactive();
  StopStreaming();
  return hr;
}

HRESULT CSourceStream::Run(REFERENCE_TIME) {
  if (!thread_.Exists()) return S_OK;
  return thread_.CallWorker(Command::kRun);
}

void CSourceStream::StopStreaming() {
  if (thread_.Exists()) {
    thread_.CallWorker(Command::kStop);
    thread_.CallWorker(Command::kExit);
  }
  thread_.Close();
}

void CSourceStream::ThreadProc() {
  const ComApartment com(COINIT_MULTITHREADED);

  Command command;
  while ((command = thread_.GetRequest()) != Command::kInit) {
    if (command == Command::kExit) {
      thread_.Reply(S_OK);
      return;
    }
    thread_.Reply(E_UNEXPECTED);
  }
  const HRESULT created = OnThreadCreate();
  if (FAILED(created)) {
    OnThreadDestroy();
    thread_.Reply(created);
    return;
  }
  thread_.Reply(S_OK);

  do {
    command = thread_.GetRequest();
    switch (command) {
      case Command::kPause:
      case Command::kRun:
        thread_.Reply(S_OK);
        DoBufferProcessingLoop();
        break;
      case Command::kStop:
      case Command::kExit:
        thread_.Reply(S_OK);
        break;
      default:
        thread_.Reply(E_NOTIMPL);
        break;
    }
  } while (command != Command::kExit);

  OnThreadDestroy();
}

HRESULT CSourceStream::DoBufferProcessingLoop() {
  OnThreadStartPlay();
  Command command = Command::kNone;
  do {
    while (!thread_.CheckRequest(&command)) {
      ComPtr<IMediaSample> sample;
      HRESULT hr = GetDeliveryBuffer(sample.GetAddressOf(), nullptr, nullptr, 0);
      if (FAILED(hr) || !sample) {
        // The allocator is decommitted while a Stop is on its way.
        thread_.WaitForRequest(std::chrono::milliseconds(1));
        continue;
      }
      hr = FillBuffer(sample.Get());
      if (hr == S_OK) {
        // Downstream refused the sample or is stopping: wait for commands.
        if (Deliver(sample.Get()) != S_OK) return S_OK;
        continue;
      }
      sample.Reset();
      DeliverEndOfStream();
      if (hr == S_FALSE) return S_OK;
      Source()->NotifyEvent(EC_ERRORABORT, hr, 0);
      return hr;
    }
    // Pause and Run only change what the graph does with our samples.
    if (command == Command::kPause || command == Command::kRun)
      thread_.Reply(S_OK);
    else if (command != Command::kStop && command != Command::kExit)
      thread_.Reply(E_UNEXPECTED);
  } while (command != Command::kStop && command != Command::kExit);
  return S_FALSE;
}

}  // namespace vcam::dshow
