#pragma once
// The process's alpha-blend function: msimg32's AlphaBlend, else the export of
// the optional "ZeloAlphaBlend.dll" beside the executable, else none (textures
// with transparency are then blended in memory, dui/win/gdi_painter.cpp).
#include <windows.h>

namespace vcam::dui {

using AlphaBlendFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

// Loads and looks up the function afresh; null when neither module offers it.
// A module that offers it stays loaded for the process.
AlphaBlendFunction LoadAlphaBlendFunction();

// The process-wide entry, chosen with LoadAlphaBlendFunction on the first call
// (Initialize makes that call).
AlphaBlendFunction AlphaBlendEntry();
// Replaces the entry (null: no function), as if it had been chosen so.
void SetAlphaBlendEntry(AlphaBlendFunction function);

}  // namespace vcam::dui
