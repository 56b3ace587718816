#pragma once
// NotifyTask: one notification of a worker to the window script. The worker
// posts it and waits for its completion; on the UI thread it is delivered to
// the subscribed windows and completes with their answer. A task discarded at
// stop completes with 0, so its worker never waits for ever.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "uninstaller/bindings/ui_task.h"

namespace vcam::uninstaller {

class NotifyTask : public UiTask {
 public:
  // Delivers the text on the UI thread and answers with the result.
  using Deliver = std::int32_t (*)(std::string_view text);

  NotifyTask(std::string text, Deliver deliver) : text_(std::move(text)), deliver_(deliver) {}

  void run() override { complete(deliver_ ? deliver_(text_) : 0); }
  void discard() override { complete(0); }

  // Blocks until the task completed: the answer.
  std::int32_t wait();
  bool completed();
  const std::string& text() const { return text_; }

 private:
  void complete(std::int32_t result);

  const std::string text_;
  const Deliver deliver_;
  std::mutex lock_;
  std::condition_variable done_;
  bool completed_ = false;
  std::int32_t result_ = 0;
};

}  // namespace vcam::uninstaller
