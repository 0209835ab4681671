#pragma once

#include "colour.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace qx::art {

// Layout of the files that `encode_bmp` produces.
inline constexpr std::size_t bmp_file_header_size = 14;
inline constexpr std::size_t bmp_info_header_size = 40;
inline constexpr std::size_t bmp_palette_entries = 256;
inline constexpr std::size_t bmp_pixel_offset =
    bmp_file_header_size + bmp_info_header_size + 4 * bmp_palette_entries;
// Stored as both resolutions: 72 dots per inch.
inline constexpr std::int32_t bmp_pixels_per_metre = 2835;

// Bytes per stored row: one byte per pixel, padded to a multiple of four.
std::size_t bmp_row_stride(int width);

// Encodes a palettised picture as an uncompressed 8-bit Windows bitmap file: file header,
// 40-byte info header, a palette of exactly 256 entries (unused ones zero) and the rows stored
// bottom-up. The output depends on the picture alone.
//
// Throws std::invalid_argument for an empty or inconsistent picture, a palette of more than 256
// entries, or a pixel whose index lies beyond the palette.
std::vector<std::uint8_t> encode_bmp(const IndexedImage& image);

// Writes `bytes` to `path`, replacing the file. Throws std::runtime_error naming the file when
// it cannot be written.
void write_file(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace qx::art
