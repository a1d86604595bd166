#pragma once
// Colour checks for the pens: the contrast ratio of two colours as the web accessibility
// guidelines define it, how a colour looks with protanopia or deuteranopia, and the perceived
// difference of two colours. Used to check that the colour-safe pens stay readable and apart.

#include "core/palette.h"

namespace kestrel {

/// Relative luminance 0..1 of an sRGB colour: 0.2126 R + 0.7152 G + 0.0722 B of the linearised
/// channels (c/12.92 up to 0.04045, ((c + 0.055)/1.055)^2.4 above).
double relativeLuminance(Rgb c);

/// Contrast ratio (L1 + 0.05) / (L2 + 0.05), L1 the lighter: 1 (same) .. 21 (black on white).
double contrastRatio(Rgb a, Rgb b);

enum class ColourVision { Normal, Protan, Deutan };

/// The colour as seen with full protanopia or deuteranopia: the linearised channels through the
/// simulation matrix of Machado, Oliveira and Fernandes (severity 1), clamped and back to sRGB.
Rgb simulateVision(Rgb c, ColourVision v);

/// CIE 1976 colour difference ΔE*ab of two sRGB colours (D65 white). About 2.3 is just
/// noticeable; lines of a chart need well over 10 to be told apart at a glance.
double colourDifference(Rgb a, Rgb b);

} // namespace kestrel
