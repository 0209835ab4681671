#include "bitmap.h"

#include <stdexcept>

namespace host {

namespace {

std::uint32_t word_at(std::span<const std::uint8_t> data, std::size_t at) {
    return static_cast<std::uint32_t>(data[at]) | static_cast<std::uint32_t>(data[at + 1]) << 8 |
           static_cast<std::uint32_t>(data[at + 2]) << 16 |
           static_cast<std::uint32_t>(data[at + 3]) << 24;
}

std::uint16_t half_at(std::span<const std::uint8_t> data, std::size_t at) {
    return static_cast<std::uint16_t>(data[at] | data[at + 1] << 8);
}

[[noreturn]] void bad(const std::string& fault) {
    throw std::runtime_error("bitmap: " + fault);
}

constexpr std::size_t info_header_size = 40;
constexpr std::size_t file_header_size = 14;

} // namespace

Bitmap decode_dib(std::span<const std::uint8_t> data) {
    if (data.size() < info_header_size) {
        bad("shorter than its 40-byte header");
    }
    const std::uint32_t header_size = word_at(data, 0);
    const auto width = static_cast<std::int32_t>(word_at(data, 4));
    const auto stored_height = static_cast<std::int32_t>(word_at(data, 8));
    const std::uint16_t planes = half_at(data, 12);
    const std::uint16_t bits = half_at(data, 14);
    const std::uint32_t compression = word_at(data, 16);
    const std::uint32_t colours_used = word_at(data, 32);
    if (header_size != info_header_size) {
        bad("header size " + std::to_string(header_size) + ", expected 40");
    }
    if (planes != 1 || bits != 8) {
        bad(std::to_string(bits) + " bits per pixel, expected 8");
    }
    if (compression != 0) {
        bad("compressed; expected uncompressed rows");
    }
    if (width <= 0 || width > max_bitmap_side || stored_height == 0 ||
        stored_height < -max_bitmap_side || stored_height > max_bitmap_side) {
        bad("size " + std::to_string(width) + " x " + std::to_string(stored_height));
    }
    if (colours_used > 256) {
        bad(std::to_string(colours_used) + " palette colours");
    }
    const std::size_t palette_size = colours_used == 0 ? 256 : colours_used;
    const bool bottom_up = stored_height > 0;
    const int height = bottom_up ? stored_height : -stored_height;
    const std::size_t stride = (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
    const std::size_t rows_at = info_header_size + 4 * palette_size;
    if (data.size() < rows_at + stride * static_cast<std::size_t>(height)) {
        bad("data ends before its last row");
    }

    std::uint32_t palette[256] = {};
    for (std::size_t i = 0; i < palette_size; ++i) {
        const std::size_t at = info_header_size + 4 * i;
        palette[i] = rgb(data[at + 2], data[at + 1], data[at]);
    }
    Bitmap bitmap{width, height,
                  std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    for (int y = 0; y < height; ++y) {
        const int stored_row = bottom_up ? height - 1 - y : y;
        const std::uint8_t* row =
            data.data() + rows_at + stride * static_cast<std::size_t>(stored_row);
        for (int x = 0; x < width; ++x) {
            bitmap.pixels[static_cast<std::size_t>(y) * width + x] = palette[row[x]];
        }
    }
    return bitmap;
}

Bitmap decode_bitmap_file(std::span<const std::uint8_t> data) {
    if (data.size() < file_header_size || data[0] != 'B' || data[1] != 'M') {
        bad("not a bitmap file");
    }
    return decode_dib(data.subspan(file_header_size));
}

} // namespace host
