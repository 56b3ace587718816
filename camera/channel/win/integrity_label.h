#pragma once
#include <windows.h>

#include <string_view>

namespace vcam::camera {

// Gives a kernel object the low mandatory label with the no-write-up policy,
// so that low-integrity (sandboxed) processes can open it for writing. Any
// failure is ignored: the object then keeps its default label. `name` is the
// object's name, unused here; it lets tests see which objects get labelled.
void apply_low_integrity_label(HANDLE object, std::u16string_view name);

using LabelFunction = void (*)(HANDLE object, std::u16string_view name);

}  // namespace vcam::camera
