#include "camera/channel/win/shared_region.h"

#include <cstring>
#include <utility>

#include "common/win/wide.h"

namespace vcam::camera {

SharedRegion::SharedRegion(RegionNames names, std::size_t size, MutexLabel mutex_label, LabelFunction label)
    : names_(std::move(names)), size_(size), mutex_label_(mutex_label), label_(label) {}

bool SharedRegion::open() {
  if (view_) return true;

  // The already-exists indication is the only way to tell who created it.
  ::SetLastError(ERROR_SUCCESS);
  UniqueHandle mutex(::CreateMutexW(nullptr, FALSE, wide(names_.mutex)));
  if (!mutex) return false;
  const bool mutex_created = ::GetLastError() != ERROR_ALREADY_EXISTS;
  if (mutex_created || mutex_label_ == MutexLabel::Always) label_(mutex.get(), names_.mutex);

  const MutexLock lock(mutex.get(), kChannelLockTimeoutMs);
  if (!lock.owns()) return false;

  ::SetLastError(ERROR_SUCCESS);
  UniqueHandle mapping(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                            static_cast<DWORD>(size_), wide(names_.region)));
  if (!mapping) return false;
  const bool region_created = ::GetLastError() != ERROR_ALREADY_EXISTS;
  if (region_created) label_(mapping.get(), names_.region);

  // Exactly the expected size: a region someone made smaller fails to map
  // here instead of being read past its end later.
  UniqueView view(::MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, size_));
  if (!view) return false;
  MEMORY_BASIC_INFORMATION info{};
  if (::VirtualQuery(view.get(), &info, sizeof info) != sizeof info || info.RegionSize < size_) return false;
  if (region_created) std::memset(view.get(), 0, size_);

  mutex_ = std::move(mutex);
  mapping_ = std::move(mapping);
  view_ = std::move(view);
  return true;
}

void SharedRegion::close() {
  if (mutex_) ::ReleaseMutex(mutex_.get());
  mutex_.reset();
  view_.reset();
  mapping_.reset();
}

}  // namespace vcam::camera
