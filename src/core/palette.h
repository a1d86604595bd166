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
inline constexpr Rgb kChartBackColor = rgb(64, 64, 64);      // the grey the panel's strips draw on

// Colour-safe pens: the same roles (SV, DV and the five pen choices in their order) in colours that
// stay apart for learners with red-green colour vision deficiencies (protanopia, deuteranopia),
// each at least 3:1 against the chart's grey. Built on a palette designed for such viewers: bluish
// green for SV, orange for DV, and for the choices white, yellow, reddish purple, a lightened
// vermillion and sky blue.
inline constexpr Rgb kSafeSvPenColor = rgb(0x00, 0xA8, 0x7A);
inline constexpr Rgb kSafeDvPenColor = rgb(0xE6, 0x9F, 0x00);
inline constexpr std::array<Rgb, 5> kSafePenChoiceColors = {rgb(0xFF, 0xFF, 0xFF), rgb(0xF0, 0xE4, 0x42),
                                                            rgb(0xCC, 0x79, 0xA7), rgb(0xE8, 0x70, 0x3A),
                                                            rgb(0x56, 0xB4, 0xE9)};

/// The colour a recorded pen colour is drawn in: itself, or with colour-safe pens on, the safe
/// colour of its role (SV, DV or a pen choice). Other colours (grids, notes) stay as they are.
constexpr Rgb penShown(Rgb recorded, bool safe) {
    if (!safe)
        return recorded;
    if (recorded == kSvPenColor)
        return kSafeSvPenColor;
    if (recorded == kDvPenColor)
        return kSafeDvPenColor;
    for (int choice = 0; choice < 5; ++choice)
        if (recorded == penChoiceColor(choice))
            return kSafePenChoiceColors[static_cast<std::size_t>(choice)];
    return recorded;
}

} // namespace kestrel
