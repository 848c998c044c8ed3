// A colour of the page: either red, green and blue, or a reference to one of
// the desktop's colours, resolved by the surface when it paints.
#pragma once

#include <array>
#include <cstdint>

namespace cadenzo {

enum class SystemColor : std::uint8_t { None, Window, WindowText, GrayText };

struct Color {
    std::uint32_t rgb = 0; // 0xRRGGBB, used when system is None
    SystemColor system = SystemColor::None;

    static constexpr Color Rgb(std::uint32_t value) { return Color{value, SystemColor::None}; }
    static constexpr Color System(SystemColor which) { return Color{0, which}; }
    friend constexpr bool operator==(const Color&, const Color&) = default;
};

// Colour slots 1..9 of one background shade: 1 background, 4 body text,
// 6..9 highlights; 2, 3 and 5 are never written and hold black.
struct ColorSet {
    std::array<Color, 10> slot{}; // index 0 unused
    friend bool operator==(const ColorSet&, const ColorSet&) = default;
};

// Room for ten sets; sets 0 and 1 are the two alternating shades.
using ColorTable = std::array<ColorSet, 10>;

} // namespace cadenzo
