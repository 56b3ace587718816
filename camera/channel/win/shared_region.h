#pragma once
// A named paging-file region guarded by a named mutex, opened the way every
// party of the camera opens its regions: create or open the mutex, take it
// (at most 100 ms), create or open the mapping, map it, zero it when this
// call created it, release the mutex. Used by the frame channel, the
// consumer list and the test publisher.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "camera/channel/channel_names.h"
#include "camera/channel/win/integrity_label.h"
#include "common/win/unique_handle.h"

namespace vcam::camera {

class SharedRegion {
 public:
  enum class MutexLabel { WhenCreated, Always };

  SharedRegion(RegionNames names, std::size_t size, MutexLabel mutex_label,
               LabelFunction label = apply_low_integrity_label);
  ~SharedRegion() { close(); }
  SharedRegion(const SharedRegion&) = delete;
  SharedRegion& operator=(const SharedRegion&) = delete;

  // Succeeds at once when already open. Fails when the mutex stays held by
  // someone else beyond the bounded wait, or when an existing region is
  // smaller than `size`.
  bool open();
  // Releases the mutex (failing harmlessly when not owned), closes the mutex,
  // unmaps the view and closes the mapping.
  void close();

  bool is_open() const { return static_cast<bool>(view_); }
  HANDLE mutex() const { return mutex_.get(); }
  std::uint8_t* view() const { return static_cast<std::uint8_t*>(view_.get()); }

 private:
  RegionNames names_;
  std::size_t size_;
  MutexLabel mutex_label_;
  LabelFunction label_;
  UniqueHandle mutex_;
  UniqueHandle mapping_;
  UniqueView view_;
};

}  // namespace vcam::camera
