#pragma once
// The consumer list as the filter module keeps it: one per process, opened on
// module attach, where the process records its executable path, and closed
// at unload after the path is removed again.
#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "camera/channel/channel_names.h"
#include "camera/channel/win/shared_region.h"

namespace vcam::camera {

class ConsumerList {
 public:
  explicit ConsumerList(RegionNames names = kConsumerListNames,
                        LabelFunction label = apply_low_integrity_label);
  ~ConsumerList() { close(); }

  // Opens or creates the list mutex and region; idempotent.
  bool open();
  // Opens the list, then adds "path;" unless the text holds the path already.
  // Skipped when the list mutex stays busy for 100 ms. Allocates nothing.
  void addSelf(std::u16string_view path) noexcept;
  // Rebuilds the text without the entries equal to the path, when it holds
  // the path. Skipped when the list is not open or the mutex stays busy.
  // Allocates nothing.
  void removeSelf(std::u16string_view path) noexcept;
  void close();

  // 4,096 while open, 0 otherwise; the list is used only at 4,096.
  std::uint32_t usable_size() const { return region_.is_open() ? static_cast<std::uint32_t>(kListRegionSize) : 0; }

 private:
  SharedRegion region_;
};

// The file name of the process's main module in a buffer of 512 units, as
// module attach reads it: without allocating, under the loader lock.
class HostPath {
 public:
  // Empty when the name does not fit the buffer with its terminator: a cut
  // path would name another file.
  static HostPath read() noexcept { return read(kHostPathCapacity); }
  // The same with only `offered` units of the buffer offered to the system
  // (never more than the buffer), so tests can reach its edge.
  static HostPath read(std::size_t offered) noexcept;
  std::u16string_view view() const { return {units_.data(), length_}; }
  bool empty() const { return length_ == 0; }

 private:
  std::array<char16_t, kHostPathCapacity> units_{};
  std::size_t length_ = 0;
};

// HostPath::read() as a string, for tools and tests.
std::u16string host_executable_path();

}  // namespace vcam::camera
