#pragma once
// The system's video input devices, by friendly name.
#include <windows.h>
#include <dshow.h>

#include <string>
#include <vector>

#include <wrl/client.h>

namespace vcam::capture {

// Friendly names in the device enumerator's order; empty when there are none.
std::vector<std::u16string> video_device_names();

// The filter of the first device whose friendly name is `name`, or null.
Microsoft::WRL::ComPtr<IBaseFilter> open_video_device(const std::u16string& name);

}  // namespace vcam::capture
