#pragma once
// A worker thread driven by commands: the caller posts one command and waits
// for the worker's reply; the worker peeks at pending commands between units
// of work. A command stays pending until the worker replies to it.
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace vcam::dshow {

class StreamThread {
 public:
  enum class Command { kNone, kInit, kPause, kRun, kStop, kExit };

  StreamThread() = default;
  ~StreamThread();
  StreamThread(const StreamThread&) = delete;
  StreamThread& operator=(const StreamThread&) = delete;

  // Starts `body` on a new thread; false when one is already running.
  bool Create(std::function<void()> body);
  bool Exists();
  // Waits for the thread to end; nothing when there is none.
  void Close();

  // Caller side: posts `command` and returns the worker's reply. E_FAIL when
  // there is no worker or it ended without replying.
  HRESULT CallWorker(Command command);

  // Worker side.
  Command GetRequest();
  bool CheckRequest(Command* command);
  // Waits at most `timeout` for a command to arrive.
  void WaitForRequest(std::chrono::milliseconds timeout);
  void Reply(HRESULT result);

 private:
  std::mutex call_lock_;  // one caller at a time
  std::mutex lock_;
  std::condition_variable changed_;
  std::thread thread_;
  bool running_ = false;
  Command request_ = Command::kNone;
  bool replied_ = false;
  HRESULT reply_ = S_OK;
};

}  // namespace vcam::dshow
