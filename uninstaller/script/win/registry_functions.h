#pragma once
// The registry functions of the scripts. `root` is one of the predefined
// keys in its signed 32-bit reading (registry_roots.h); keys are opened with
// KEY_ALL_ACCESS, as the elevated uninstaller does.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vcam::uninstaller {

// The predefined key handle of a root number, sign-extended on 64-bit.
HKEY root_key(std::int32_t root);

// A REG_SZ value that fits the 260-byte buffer (up to 129 characters and
// the terminator); nothing for a failure, another type or a longer value.
std::optional<std::u16string> reg_query_string(std::int32_t root, std::u16string_view subkey,
                                               std::u16string_view name);
// A REG_DWORD value; nothing for a failure or another type.
std::optional<DWORD> reg_query_integer(std::int32_t root, std::u16string_view subkey, std::u16string_view name);
// Both create the key (and its missing parents) when it is absent.
void reg_write_string(std::int32_t root, std::u16string_view subkey, std::u16string_view name,
                      std::u16string_view value);
void reg_write_integer(std::int32_t root, std::u16string_view subkey, std::u16string_view name, DWORD value);
void reg_delete_value(std::int32_t root, std::u16string_view subkey, std::u16string_view name);
// The key with everything below it. An empty subkey is refused: it would
// name the whole root.
void reg_delete_subkey(std::int32_t root, std::u16string_view subkey);

inline constexpr DWORD kStringValueBytes = 260;

}  // namespace vcam::uninstaller
