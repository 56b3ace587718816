#include "camera/channel/win/consumer_list.h"

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

void ConsumerList::addSelf(std::u16string_view path) {
  if (!open()) return;
  const MutexLock lock(region_.mutex(), kChannelLockTimeoutMs);
  if (!lock.owns()) return;
  ConsumerListText text(units_of(region_));
  if (text.add(path)) text.store(units_of(region_));
}

void ConsumerList::removeSelf(std::u16string_view path) {
  if (!region_.is_open()) return;
  const MutexLock lock(region_.mutex(), kChannelLockTimeoutMs);
  if (!lock.owns()) return;
  ConsumerListText text(units_of(region_));
  if (text.remove(path)) text.store(units_of(region_));
}

std::u16string host_executable_path() {
  wchar_t buffer[kHostPathCapacity] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(kHostPathCapacity));
  if (n == 0 || n >= kHostPathCapacity) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(buffer), n);
}

}  // namespace vcam::camera
