#include "camera/channel/win/consumer_list.h"

#include <algorithm>
#include <span>
#include <utility>

#include "camera/channel/consumer_list_text.h"
#include "common/win/unique_handle.h"

namespace vcam::camera {
namespace {

std::span<char16_t> units_of(const SharedRegion& region) {
  return {reinterpret_cast<char16_t*>(region.view()), kListCapacity};
}

}  // namespace

ConsumerList::ConsumerList(RegionNames names, LabelFunction label)
    : region_(std::move(names), kListRegionSize, SharedRegion::MutexLabel::Always, label) {}

bool ConsumerList::open() { return region_.open(); }

void ConsumerList::close() { region_.close(); }

void ConsumerList::addSelf(std::u16string_view path) noexcept {
  if (!open()) return;
  const MutexLock lock(region_.mutex(), kChannelLockTimeoutMs);
  if (!lock.owns()) return;
  ConsumerListText text(units_of(region_));
  if (text.add(path)) text.store(units_of(region_));
}

void ConsumerList::removeSelf(std::u16string_view path) noexcept {
  if (!region_.is_open()) return;
  const MutexLock lock(region_.mutex(), kChannelLockTimeoutMs);
  if (!lock.owns()) return;
  ConsumerListText text(units_of(region_));
  if (text.remove(path)) text.store(units_of(region_));
}

HostPath HostPath::read(std::size_t offered) noexcept {
  HostPath path;
  offered = std::min(offered, path.units_.size());
  if (offered == 0) return path;
  // A name that fills what was offered was cut (with or without a terminator).
  const DWORD n = ::GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(path.units_.data()),
                                       static_cast<DWORD>(offered));
  if (n == 0 || n >= offered) {
    path.units_.fill(u'\0');
    return path;
  }
  path.length_ = n;
  return path;
}

std::u16string host_executable_path() { return std::u16string(HostPath::read().view()); }

}  // namespace vcam::camera
