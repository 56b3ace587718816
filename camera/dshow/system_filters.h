#pragma once
// Class ids of system filters that the mingw-w64 headers declare no
// constants for (qedit: Sample Grabber and Null Renderer).
#include <windows.h>

namespace vcam::dshow {

inline constexpr CLSID kSampleGrabberClsid = {
    0xC1F400A0, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};
inline constexpr CLSID kNullRendererClsid = {
    0xC1F400A4, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};

}  // namespace vcam::dshow
