#include "uninstaller/script/win/registry_functions.h"

#include <shlwapi.h>

#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "uninstaller/script/script_text.h"

namespace vcam::uninstaller {

namespace {

UniqueKey open_key(std::int32_t root, std::u16string_view subkey) {
  UniqueKey key;
  ::RegOpenKeyExW(root_key(root), wide(std::u16string(subkey)), 0, KEY_ALL_ACCESS, key.put());
  return key;
}

UniqueKey create_key(std::int32_t root, std::u16string_view subkey) {
  UniqueKey key;
  ::RegCreateKeyExW(root_key(root), wide(std::u16string(subkey)), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                    nullptr);
  return key;
}

}  // namespace

HKEY root_key(std::int32_t root) { return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(root)); }

std::optional<std::u16string> reg_query_string(std::int32_t root, std::u16string_view subkey,
                                               std::u16string_view name) {
  const UniqueKey key = open_key(root, subkey);
  if (!key) return std::nullopt;
  // One unit more than Windows may fill, so that a value stored without its
  // terminator still ends inside the buffer.
  wchar_t buffer[kStringValueBytes / sizeof(wchar_t) + 1] = {};
  DWORD type = 0, size = kStringValueBytes;
  if (::RegQueryValueExW(key.get(), wide(std::u16string(name)), nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                         &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return std::nullopt;
  const std::u16string_view text = up_to_nul(u16(buffer, size / sizeof(wchar_t)));
  // 130 characters without a terminator fill the buffer too; they are as
  // long as the values that do not fit.
  if (text.size() > kStringValueBytes / sizeof(wchar_t) - 1) return std::nullopt;
  return std::u16string(text);
}

std::optional<DWORD> reg_query_integer(std::int32_t root, std::u16string_view subkey, std::u16string_view name) {
  const UniqueKey key = open_key(root, subkey);
  if (!key) return std::nullopt;
  DWORD value = 0, type = 0, size = sizeof value;
  if (::RegQueryValueExW(key.get(), wide(std::u16string(name)), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
      type != REG_DWORD)
    return std::nullopt;
  return value;
}

void reg_write_string(std::int32_t root, std::u16string_view subkey, std::u16string_view name,
                      std::u16string_view value) {
  const UniqueKey key = create_key(root, subkey);
  if (!key) return;
  const std::u16string text(up_to_nul(value));
  ::RegSetValueExW(key.get(), wide(std::u16string(name)), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
}

void reg_write_integer(std::int32_t root, std::u16string_view subkey, std::u16string_view name, DWORD value) {
  const UniqueKey key = create_key(root, subkey);
  if (!key) return;
  ::RegSetValueExW(key.get(), wide(std::u16string(name)), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
}

void reg_delete_value(std::int32_t root, std::u16string_view subkey, std::u16string_view name) {
  const UniqueKey key = open_key(root, subkey);
  if (key) ::RegDeleteValueW(key.get(), wide(std::u16string(name)));
}

void reg_delete_subkey(std::int32_t root, std::u16string_view subkey) {
  if (subkey.find_first_not_of(u"\\") == std::u16string_view::npos) return;
  ::SHDeleteKeyW(root_key(root), wide(std::u16string(subkey)));
}

}  // namespace vcam::uninstaller
