// Bitmaps as a module carries them: 8-bit palettised device-independent bitmaps.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace host {

// A decoded bitmap: rows top-down, each pixel 0x00RRGGBB.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

constexpr std::uint32_t rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 | b;
}

// Largest width or height accepted, far beyond any gauge.
inline constexpr int max_bitmap_side = 16384;

// Decodes a device-independent bitmap (a BITMAPINFOHEADER, its palette and its rows, without
// a file header): 8 bits per pixel, uncompressed, rows bottom-up or top-down. Throws
// std::runtime_error saying what is wrong with data it cannot decode.
Bitmap decode_dib(std::span<const std::uint8_t> data);

// The same for a bitmap file, which has a 14-byte file header in front.
Bitmap decode_bitmap_file(std::span<const std::uint8_t> data);

} // namespace host
