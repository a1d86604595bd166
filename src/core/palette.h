#pragma once
// The 16-colour palette of the classic PC text modes, which the pens and grids use, as 0xRRGGBB.

#include <array>
#include <cstdint>

namespace kestrel {

using Rgb = std::uint32_t; // 0xRRGGBB

constexpr Rgb rgb(int r, int g, int b) {
    return (static_cast<Rgb>(r) << 16) | (static_cast<Rgb>(g) << 8) | static_cast<Rgb>(b);
}

inline constexpr std::array<Rgb, 16> kPalette = {
    rgb(0, 0, 0),       rgb(0, 0, 128),   rgb(0, 128, 0),   rgb(0, 128, 128),
    rgb(128, 0, 0),     rgb(128, 0, 128), rgb(128, 128, 0), rgb(192, 192, 192),
    rgb(128, 128, 128), rgb(0, 0, 255),   rgb(0, 255, 0),   rgb(0, 255, 255),
    rgb(255, 0, 0),     rgb(255, 0, 255), rgb(255, 255, 0), rgb(255, 255, 255),
};

/// Palette colour by index 0..15 (indices outside wrap into the table's range).
constexpr Rgb paletteColor(int index) {
    return kPalette[static_cast<std::size_t>(index) & 15u];
}

/// The colour of a pen choice of the pen-colour lists ("白", "黄", "ﾏｾﾞﾝﾀﾞ", "赤", "ｼｱﾝ" = 0..4):
/// palette colour 15 - choice.
constexpr Rgb penChoiceColor(int choice) {
    return paletteColor(15 - choice);
}

inline constexpr Rgb kSvPenColor = rgb(0, 255, 0);           // palette 10, bright green
inline constexpr Rgb kDvPenColor = rgb(192, 192, 255);       // light blue-violet
inline constexpr Rgb kGridColor = rgb(128, 128, 128);        // palette 8
inline constexpr Rgb kEditedFieldColor = rgb(255, 255, 128); // light yellow: edited, not applied

} // namespace kestrel
