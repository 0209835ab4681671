#pragma once

#include "colour.h"

#include <span>

namespace qx::art {

inline constexpr std::size_t max_palette_size = 256;

// Turns a full-colour picture into a palettised one with at most 256 colours.
//
// Pure black, the mask colour (1, 1, 1) and every colour in `exact` that occurs in the picture
// get palette entries of their own, so those pixels keep their colour exactly. When the picture
// has more distinct colours than fit, the rest are approximated by median cut, each palette
// entry being a colour that occurs in the picture. Every pixel takes the nearest palette entry;
// where several are equally near, black is never chosen, so a pixel turns black only when it is
// closer to black than to any other entry. The same input always gives the same output.
//
// Throws std::invalid_argument when the colours to keep exactly do not fit in the palette or
// the picture is empty or inconsistent.
IndexedImage quantise(const RgbImage& image, std::span<const Rgb> exact);

} // namespace qx::art
