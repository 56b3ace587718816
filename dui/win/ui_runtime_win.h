#pragma once
// Starting the toolkit on Windows.
#include <string>

#include "dui/runtime/ui_runtime.h"

namespace vcam::dui {

// Initialize with the Windows platform: dispatcher window "<name>_Dispatcher".
// Called once on the UI thread before anything else of the toolkit.
bool Initialize(const std::u16string& application_name);

// Invalidates every top-level window of the calling thread and posts each the
// profile's repaint request (after a skin change).
void RepaintThreadWindows();

}  // namespace vcam::dui
