#pragma once
// What the camera module does when a process loads and unloads it: the
// process records its executable path in the consumer list while the module
// is loaded, so the uninstaller can name and end it.
#include <string>
#include <string_view>

namespace vcam::camera {

// The process-wide consumer list as the module uses it.
class ConsumerRecord {
 public:
  virtual ~ConsumerRecord() = default;
  virtual void addSelf(std::u16string_view path) = 0;
  virtual void removeSelf(std::u16string_view path) = 0;
};

class ModuleLifetime {
 public:
  // `host_path` is the host executable's path, read at attach.
  explicit ModuleLifetime(ConsumerRecord& consumers) : consumers_(consumers) {}

  void attach(std::u16string host_path);
  void detach();

 private:
  ConsumerRecord& consumers_;
  std::u16string host_path_;
};

}  // namespace vcam::camera
