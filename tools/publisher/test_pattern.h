#pragma once
// The publisher's test picture: recognisable in a camera preview and checkable
// by tests after scaling. Dark grey background; a distinct marker colour in
// each corner; colour bars across the middle; an arrow pointing up; the frame
// number in digits; a block that moves with the frame number.
#include <cstddef>
#include <cstdint>

namespace vcam::publisher {

// Colours as 0x00RRGGBB.
inline constexpr std::uint32_t kBackground = 0x282828;
inline constexpr std::uint32_t kTopLeftMarker = 0xE01818;      // red
inline constexpr std::uint32_t kTopRightMarker = 0x18E018;     // green
inline constexpr std::uint32_t kBottomLeftMarker = 0x1818E0;   // blue
inline constexpr std::uint32_t kBottomRightMarker = 0xE0E018;  // yellow
inline constexpr std::uint32_t kArrow = 0xFF8000;
inline constexpr std::uint32_t kDigits = 0xF0F0F0;
inline constexpr std::uint32_t kMovingBlock = 0x00C0C0;
inline constexpr std::uint32_t kBars[8] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00,
                                           0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};

// The colour of pixel (x, y), y counted from the top, in picture `number` of a
// width x height pattern.
std::uint32_t pattern_colour_at(std::int32_t width, std::int32_t height, std::uint32_t number,
                                std::int32_t x, std::int32_t y);

// Draws the picture as BGRX pixels, rows of width x 4 bytes. With `bottom_up`
// the top row is stored last. `size` must hold width x height x 4 bytes;
// false (and nothing drawn) otherwise.
bool draw_test_pattern(std::uint8_t* pixels, std::size_t size, std::int32_t width, std::int32_t height,
                       std::uint32_t number, bool bottom_up = false);

}  // namespace vcam::publisher
