#pragma once
// Who the camera is to COM and DirectShow: its class id and name, the
// class-factory table and the records the filter mapper stores.
#include <windows.h>
#include <dshow.h>

#include <span>

#include "camera/dshow/class_factory.h"
#include "camera/dshow/filter_registration.h"

namespace vcam::camera {

// {DBD22C0D-B8BF-47DF-9DC7-113C1771BB9A}
inline constexpr CLSID kFilterClsid = {0xDBD22C0D, 0xB8BF, 0x47DF, {0x9D, 0xC7, 0x11, 0x3C, 0x17, 0x71, 0xBB, 0x9A}};
// Also the factory template's name and the video-input device's instance name.
inline constexpr wchar_t kFilterName[] = L"ZeloCamV10";

// The module's file name. The 64-bit module ships beside the 32-bit one and
// registers the same class and device in the 64-bit registry view, for the
// 64-bit applications that cannot load a 32-bit filter.
inline constexpr wchar_t kModuleName32[] = L"vcam_source.ax";
inline constexpr wchar_t kModuleName64[] = L"vcam_source64.ax";
inline constexpr const wchar_t* kModuleName = sizeof(void*) == 8 ? kModuleName64 : kModuleName32;

inline constexpr DWORD kFilterMerit = MERIT_DO_NOT_USE + 100;        // DirectShow filters category
inline constexpr DWORD kDeviceMerit = MERIT_PREFERRED + 100;         // video input category

// The filter-setup record for the base registration.
extern const dshow::FilterSetup kFilterSetup;
// The video-input category record (version 1).
extern const REGFILTER2 kDeviceRegistration;
// The module's class-factory table: the camera filter only.
std::span<const dshow::CFactoryTemplate> factory_table();

}  // namespace vcam::camera
