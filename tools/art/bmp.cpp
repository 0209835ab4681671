#include "bmp.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>

namespace qx::art {
namespace {

class ByteWriter {
  public:
    explicit ByteWriter(std::size_t capacity) { bytes_.reserve(capacity); }

    void u8(std::uint8_t v) { bytes_.push_back(v); }
    void u16(std::uint16_t v) {
        u8(static_cast<std::uint8_t>(v));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v) {
        u16(static_cast<std::uint16_t>(v));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }

    std::vector<std::uint8_t> take() { return std::move(bytes_); }

  private:
    std::vector<std::uint8_t> bytes_;
};

void check_image(const IndexedImage& image) {
    if (image.width <= 0 || image.height <= 0) {
        throw std::invalid_argument("cannot encode an empty picture");
    }
    if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
        throw std::invalid_argument("picture has " + std::to_string(image.pixels.size()) +
                                    " pixels, expected " + std::to_string(image.width) + " x " +
                                    std::to_string(image.height));
    }
    if (image.palette.size() > bmp_palette_entries) {
        throw std::invalid_argument("palette has " + std::to_string(image.palette.size()) +
                                    " entries; an 8-bit bitmap holds 256");
    }
    for (const std::uint8_t index : image.pixels) {
        if (index >= image.palette.size()) {
            throw std::invalid_argument("pixel index " + std::to_string(index) +
                                        " lies beyond the palette of " +
                                        std::to_string(image.palette.size()));
        }
    }
}

} // namespace

std::size_t bmp_row_stride(int width) {
    return (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
}

std::vector<std::uint8_t> encode_bmp(const IndexedImage& image) {
    check_image(image);
    const std::size_t stride = bmp_row_stride(image.width);
    const std::size_t pixel_bytes = stride * static_cast<std::size_t>(image.height);
    const std::size_t file_size = bmp_pixel_offset + pixel_bytes;

    ByteWriter out(file_size);
    // File header.
    out.u8('B');
    out.u8('M');
    out.u32(static_cast<std::uint32_t>(file_size));
    out.u16(0);
    out.u16(0);
    out.u32(static_cast<std::uint32_t>(bmp_pixel_offset));
    // Info header; a positive height means rows are stored bottom-up.
    out.u32(static_cast<std::uint32_t>(bmp_info_header_size));
    out.i32(image.width);
    out.i32(image.height);
    out.u16(1);
    out.u16(8);
    out.u32(0); // uncompressed
    out.u32(static_cast<std::uint32_t>(pixel_bytes));
    out.i32(bmp_pixels_per_metre);
    out.i32(bmp_pixels_per_metre);
    out.u32(static_cast<std::uint32_t>(bmp_palette_entries));
    out.u32(0); // every colour is important
    // Palette entries are stored blue, green, red, reserved.
    for (std::size_t i = 0; i < bmp_palette_entries; ++i) {
        const Rgb c = i < image.palette.size() ? image.palette[i] : Rgb{};
        out.u8(c.b);
        out.u8(c.g);
        out.u8(c.r);
        out.u8(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t row = static_cast<std::size_t>(y) * image.width;
        for (int x = 0; x < image.width; ++x) {
            out.u8(image.pixels[row + x]);
        }
        for (std::size_t pad = image.width; pad < stride; ++pad) {
            out.u8(0);
        }
    }
    return out.take();
}

void write_file(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) {
        throw std::runtime_error("cannot write " + path.string() + ": " + std::strerror(errno));
    }
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        throw std::runtime_error("error writing " + path.string());
    }
}

} // namespace qx::art
