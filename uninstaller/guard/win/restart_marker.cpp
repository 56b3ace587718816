#include "uninstaller/guard/win/restart_marker.h"

#include <windows.h>

#include <vector>

#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace vcam::uninstaller {

namespace {

constexpr const wchar_t* kStampKey = L"SYSTEM\\CurrentControlSet\\Control\\Windows";
constexpr const wchar_t* kStampValue = L"ShutdownTime";

UniqueFile open_for_reading(const std::u16string& path) {
  return UniqueFile(
      ::CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

std::u16string restart_marker_path() {
  wchar_t temp[MAX_PATH + 1] = {};
  const DWORD n = ::GetTempPathW(MAX_PATH, temp);
  const std::u16string folder = n > 0 && n < MAX_PATH ? std::u16string(u16(temp, n)) : std::u16string();
  return folder + u"\\zelovirtualcamera_restart";
}

std::optional<shutdown_stamp> read_shutdown_stamp() {
  UniqueKey key;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kStampKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return std::nullopt;
  shutdown_stamp stamp{};
  DWORD size = static_cast<DWORD>(stamp.size());
  if (::RegQueryValueExW(key.get(), kStampValue, nullptr, nullptr, stamp.data(), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return stamp;
}

void mark_restart() {
  const shutdown_stamp stamp = read_shutdown_stamp().value_or(shutdown_stamp{});
  const std::u16string path = restart_marker_path();
  {
    UniqueFile file(::CreateFileW(wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
      DWORD written = 0;
      ::WriteFile(file.get(), stamp.data(), static_cast<DWORD>(stamp.size()), &written, nullptr);
    }
  }
  ::MoveFileExW(wide(path), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

bool restart_pending_for_uninstaller() {
  const std::u16string path = restart_marker_path();
  const bool exists = ::GetFileAttributesW(wide(path)) != INVALID_FILE_ATTRIBUTES;
  std::optional<std::span<const unsigned char>> head;
  shutdown_stamp bytes{};
  DWORD got = 0;
  if (exists) {
    UniqueFile file = open_for_reading(path);
    if (file && ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) {
      head = std::span<const unsigned char>(bytes.data(), got);
    }
  }
  const shutdown_stamp stamp = exists ? read_shutdown_stamp().value_or(shutdown_stamp{}) : shutdown_stamp{};
  const marker_judgement judgement = judge_marker_for_uninstaller(exists, head, stamp);
  if (judgement.delete_marker) ::DeleteFileW(wide(path));
  return judgement.restart_pending;
}

bool restart_pending_for_launcher() {
  const std::optional<shutdown_stamp> stamp = read_shutdown_stamp();
  if (!stamp) return false;
  UniqueFile file = open_for_reading(restart_marker_path());
  if (!file) return false;
  DWORD high = 0;
  const DWORD size = ::GetFileSize(file.get(), &high);
  // The marker is 8 bytes; a file of many kilobytes is not worth reading.
  if (size == INVALID_FILE_SIZE || high != 0 || size > 65536) return false;
  std::vector<unsigned char> content(size);
  DWORD got = 0;
  if (size > 0 && !::ReadFile(file.get(), content.data(), size, &got, nullptr)) return false;
  content.resize(got);
  return judge_marker_for_launcher(stamp, std::span<const unsigned char>(content));
}

}  // namespace vcam::uninstaller

