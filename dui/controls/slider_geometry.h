#pragma once
// The arithmetic of a slider: where its thumb sits for a value and which value
// a point stands for, along one axis. Offsets are from the slider's edge.
#include <cstdint>

namespace vcam::dui {

// v limited to [0, maximum]; 0 when the maximum is negative.
std::int32_t ClampSliderValue(std::int32_t v, std::int32_t maximum);

// The value under `position` for a slider `length` long with a thumb `thumb`
// long: (position - thumb / 2) * maximum / (length - thumb). Not clamped (the
// slider clamps); 0 when the thumb leaves no travel.
std::int32_t SliderValueAt(std::int32_t position, std::int32_t length, std::int32_t thumb, std::int32_t maximum);

// Where the thumb starts for `value`: value * (length - thumb) / maximum, the
// value clamped first; 0 when there is no travel or no maximum.
std::int32_t SliderThumbOffset(std::int32_t value, std::int32_t length, std::int32_t thumb, std::int32_t maximum);

// The wheel delta a mouse-wheel event carries in the high word of param1.
std::int32_t WheelDelta(std::intptr_t param1);

}  // namespace vcam::dui
