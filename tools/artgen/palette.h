#pragma once
// The colours of the product's flat look.
#include <cstdint>

namespace vcam::artgen::palette {

constexpr std::uint32_t kAccent = 0xB4AE00;        // the skin colour
constexpr std::uint32_t kAccentLight = 0xC4BF2E;
constexpr std::uint32_t kAccentDark = 0xA09A00;    // the skin colour darkened by 20 a channel
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kText = 0x333333;
constexpr std::uint32_t kTextMuted = 0x666666;
constexpr std::uint32_t kGlyph = 0x8C8C8C;
constexpr std::uint32_t kBorder = 0xD9D9D9;
constexpr std::uint32_t kBorderStrong = 0xBFBFBF;
constexpr std::uint32_t kLine = 0xEBEBEB;
constexpr std::uint32_t kSurface = 0xF7F7F7;
constexpr std::uint32_t kHover = 0xF2F2F2;
constexpr std::uint32_t kPressed = 0xE6E6E6;
constexpr std::uint32_t kDisabled = 0xD4D4D4;
constexpr std::uint32_t kDanger = 0xE5484D;
constexpr std::uint32_t kDangerDark = 0xC83A3F;
constexpr std::uint32_t kNight = 0x23262B;
constexpr std::uint32_t kNightDeep = 0x17191C;

}  // namespace vcam::artgen::palette
