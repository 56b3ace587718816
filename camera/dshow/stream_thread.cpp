#include "camera/dshow/stream_thread.h"

namespace vcam::dshow {

StreamThread::~StreamThread() { Close(); }

bool StreamThread::Create(std::function<void()> body) {
  std::lock_guard call(call_lock_);
  std::unique_lock lock(lock_);
  if (running_) return false;
  if (thread_.joinable()) {
    lock.unlock();
    thread_.join();
    lock.lock();
  }
  running_ = true;
  request_ = Command::kNone;
  replied_ = false;
  thread_ = std::thread([this, body = std::move(body)] {
    body();
    std::lock_guard done(lock_);
    running_ = false;
    changed_.notify_all();
  });
  return true;
}

bool StreamThread::Exists() {
  std::lock_guard lock(lock_);
  return running_;
}

void StreamThread::Close() {
  std::lock_guard call(call_lock_);
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

HRESULT StreamThread::CallWorker(Command command) {
  std::lock_guard call(call_lock_);
  std::unique_lock lock(lock_);
  if (!running_) return E_FAIL;
  request_ = command;
  replied_ = false;
  changed_.notify_all();
  changed_.wait(lock, [this] { return replied_ || !running_; });
  request_ = Command::kNone;
  return replied_ ? reply_ : E_FAIL;
}

StreamThread::Command StreamThread::GetRequest() {
  std::unique_lock lock(lock_);
  changed_.wait(lock, [this] { return request_ != Command::kNone && !replied_; });
  return request_;
}

bool StreamThread::CheckRequest(Command* command) {
  std::lock_guard lock(lock_);
  if (request_ == Command::kNone || replied_) return false;
  *command = request_;
  return true;
}

void StreamThread::WaitForRequest(std::chrono::milliseconds timeout) {
  std::unique_lock lock(lock_);
  changed_.wait_for(lock, timeout, [this] { return request_ != Command::kNone && !replied_; });
}

void StreamThread::Reply(HRESULT result) {
  std::lock_guard lock(lock_);
  reply_ = result;
  replied_ = true;
  changed_.notify_all();
}

}  // namespace vcam::dshow
