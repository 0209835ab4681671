#include "bmp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace {

using qx::art::encode_bmp;
using qx::art::IndexedImage;
using qx::art::Rgb;

std::uint32_t u32_at(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t u16_at(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::int32_t i32_at(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int32_t>(u32_at(b, at));
}

// A picture whose pixel (x, y) holds index (x + 2 * y) % palette size.
IndexedImage numbered_picture(int width, int height, std::vector<Rgb> palette) {
    IndexedImage image{width, height, std::move(palette), {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.pixels.push_back(static_cast<std::uint8_t>((x + 2 * y) % image.palette.size()));
        }
    }
    return image;
}

TEST(BmpWriter, HeadersDescribeAnUncompressedEightBitBottomUpBitmap) {
    const IndexedImage image = numbered_picture(3, 2, {{10, 20, 30}, {200, 100, 50}, {0, 15, 40}});
    const std::vector<std::uint8_t> bytes = encode_bmp(image);

    ASSERT_EQ(bytes.size(), 14u + 40u + 1024u + 4u * 2u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(u32_at(bytes, 2), bytes.size());
    EXPECT_EQ(u32_at(bytes, 6), 0u) << "reserved words";
    EXPECT_EQ(u32_at(bytes, 10), 1078u) << "pixel data offset";

    EXPECT_EQ(u32_at(bytes, 14), 40u) << "info header size";
    EXPECT_EQ(i32_at(bytes, 18), 3) << "width";
    EXPECT_EQ(i32_at(bytes, 22), 2) << "height, positive for bottom-up rows";
    EXPECT_EQ(u16_at(bytes, 26), 1u) << "planes";
    EXPECT_EQ(u16_at(bytes, 28), 8u) << "bits per pixel";
    EXPECT_EQ(u32_at(bytes, 30), 0u) << "compression BI_RGB";
    EXPECT_EQ(u32_at(bytes, 34), 8u) << "image size: two padded rows";
    EXPECT_EQ(i32_at(bytes, 38), 2835) << "horizontal resolution";
    EXPECT_EQ(i32_at(bytes, 42), 2835) << "vertical resolution";
    EXPECT_EQ(u32_at(bytes, 46), 256u) << "colours used";
    EXPECT_EQ(u32_at(bytes, 50), 0u) << "important colours";
}

TEST(BmpWriter, PaletteHasExactly256BlueGreenRedEntriesWithUnusedOnesZero) {
    const std::vector<Rgb> palette{{10, 20, 30}, {200, 100, 50}, {0, 15, 40}};
    const std::vector<std::uint8_t> bytes = encode_bmp(numbered_picture(3, 2, palette));

    for (std::size_t i = 0; i < 256; ++i) {
        const std::size_t at = 54 + 4 * i;
        const Rgb expected = i < palette.size() ? palette[i] : Rgb{};
        EXPECT_EQ(bytes[at], expected.b) << "entry " << i;
        EXPECT_EQ(bytes[at + 1], expected.g) << "entry " << i;
        EXPECT_EQ(bytes[at + 2], expected.r) << "entry " << i;
        EXPECT_EQ(bytes[at + 3], 0) << "entry " << i;
    }
}

TEST(BmpWriter, RowsAreStoredBottomUpAndPaddedWithZerosToFourBytes) {
    struct Case {
        int width;
        std::size_t stride;
    };
    const Case cases[] = {{1, 4}, {3, 4}, {4, 4}, {5, 8}, {74, 76}, {102, 104}, {272, 272}};
    const int height = 3;
    for (const Case& c : cases) {
        SCOPED_TRACE("width " + std::to_string(c.width));
        EXPECT_EQ(qx::art::bmp_row_stride(c.width), c.stride);
        const IndexedImage image = numbered_picture(c.width, height, std::vector<Rgb>(7));
        const std::vector<std::uint8_t> bytes = encode_bmp(image);
        ASSERT_EQ(bytes.size(), 1078 + c.stride * height);
        for (int stored_row = 0; stored_row < height; ++stored_row) {
            const int y = height - 1 - stored_row;
            const std::size_t row_start = 1078 + c.stride * stored_row;
            for (int x = 0; x < c.width; ++x) {
                EXPECT_EQ(bytes[row_start + x], image.pixels[y * c.width + x])
                    << "pixel " << x << ", " << y;
            }
            for (std::size_t pad = c.width; pad < c.stride; ++pad) {
                EXPECT_EQ(bytes[row_start + pad], 0) << "padding of stored row " << stored_row;
            }
        }
    }
}

TEST(BmpWriter, RejectsPicturesItCannotStore) {
    IndexedImage too_many_colours = numbered_picture(2, 2, std::vector<Rgb>(257));
    IndexedImage index_beyond_palette = numbered_picture(2, 2, std::vector<Rgb>(3));
    index_beyond_palette.pixels[3] = 3;
    IndexedImage wrong_pixel_count = numbered_picture(2, 2, std::vector<Rgb>(3));
    wrong_pixel_count.pixels.pop_back();
    const IndexedImage empty{0, 0, std::vector<Rgb>(1), {}};

    const struct {
        const char* name;
        const IndexedImage& image;
    } cases[] = {
        {"257 palette entries", too_many_colours},
        {"index beyond the palette", index_beyond_palette},
        {"pixel count not width x height", wrong_pixel_count},
        {"empty picture", empty},
    };
    for (const auto& c : cases) {
        EXPECT_THROW(encode_bmp(c.image), std::invalid_argument) << c.name;
    }
}

} // namespace
