#pragma once
// Reading back what a module's registration wrote under HKEY_CLASSES_ROOT,
// and whether the device enumerator lists a filter by its friendly name.
#include <windows.h>

#include <algorithm>
#include <string>

#include "camera/dshow/testing/device_names.h"
#include "common/win/unique_handle.h"

namespace vcam::dshow::testing {

// "CLSID\{...}" or "CLSID\{...}\sub".
inline std::wstring clsid_key(const CLSID& clsid, const wchar_t* sub = nullptr) {
  wchar_t text[40] = {};
  ::StringFromGUID2(clsid, text, 40);
  std::wstring key = std::wstring(L"CLSID\\") + text;
  if (sub) key += std::wstring(L"\\") + sub;
  return key;
}

// A REG_SZ value (nullptr: the default value); false when missing.
inline bool read_class_value(const std::wstring& key, const wchar_t* name, std::wstring* value) {
  wchar_t buffer[1024] = {};
  DWORD bytes = sizeof buffer - sizeof(wchar_t);
  if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &bytes) != ERROR_SUCCESS)
    return false;
  *value = buffer;
  return true;
}

inline bool class_key_exists(const std::wstring& key) {
  UniqueKey k;
  return ::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, k.put()) == ERROR_SUCCESS;
}

inline bool listed(const CLSID& category, const std::wstring& name) {
  const auto names = device_names(category);
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace vcam::dshow::testing
