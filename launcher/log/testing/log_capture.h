#pragma once
// A sink for tests: installs itself for its lifetime and records every line.
#include <mutex>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "launcher/log/log_sink.h"

namespace vcam::launcher {

struct logged_line {
  int level;
  std::string text;
  bool operator==(const logged_line&) const = default;
  // Readable in test failure messages.
  friend std::ostream& operator<<(std::ostream& out, const logged_line& l) {
    return out << l.level << " \"" << l.text << "\"";
  }
};

class log_capture : public log_sink {
 public:
  void write(int level, const char* text) override {
    std::lock_guard<std::mutex> hold(lock_);
    lines_.push_back({level, text});
  }

  std::vector<logged_line> lines() const {
    std::lock_guard<std::mutex> hold(lock_);
    return lines_;
  }
  // The texts alone, in order.
  std::vector<std::string> texts() const {
    std::lock_guard<std::mutex> hold(lock_);
    std::vector<std::string> out;
    for (const auto& l : lines_) out.push_back(l.text);
    return out;
  }
  void clear() {
    std::lock_guard<std::mutex> hold(lock_);
    lines_.clear();
  }

 private:
  mutable std::mutex lock_;
  std::vector<logged_line> lines_;
  // Last member: installed once the object is complete, uninstalled first.
  log_sink_installation installation_{*this};
};

}  // namespace vcam::launcher
