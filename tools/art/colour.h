#pragma once

#include <compare>
#include <cstdint>
#include <vector>

namespace qx::art {

// An opaque 24-bit colour.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    auto operator<=>(const Rgb&) const = default;
};

inline constexpr Rgb black{0, 0, 0};
// The colour a mask uses for the area in which its picture shows.
inline constexpr Rgb mask_near_black{1, 1, 1};

// A full-colour picture, rows top to bottom.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// A palettised picture: each pixel is an index into `palette` (at most 256 entries), rows top
// to bottom.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> pixels;

    Rgb colour_at(int x, int y) const {
        return palette[pixels[static_cast<std::size_t>(y) * width + x]];
    }
};

} // namespace qx::art
