// The host's reader of 8-bit bitmaps, over good and malformed data.
#include "bitmap.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

void put(std::vector<std::uint8_t>& data, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        data[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A 3 x 2 bitmap: palette entry 1 red, 2 green; top row red, bottom row green.
std::vector<std::uint8_t> small_dib(std::int32_t height = 2) {
    std::vector<std::uint8_t> data(40 + 1024 + 2 * 4);
    put(data, 0, 40, 4);
    put(data, 4, 3, 4);
    put(data, 8, static_cast<std::uint32_t>(height), 4);
    put(data, 12, 1, 2);
    put(data, 14, 8, 2);
    put(data, 32, 256, 4);
    put(data, 40 + 4, 0x00FF0000, 4); // entry 1: B G R 0 -> red
    put(data, 40 + 8, 0x0000FF00, 4); // entry 2: green
    const std::size_t rows = 40 + 1024;
    const bool bottom_up = height > 0;
    for (int x = 0; x < 3; ++x) {
        data[rows + static_cast<std::size_t>(x)] = bottom_up ? 2 : 1;
        data[rows + 4 + static_cast<std::size_t>(x)] = bottom_up ? 1 : 2;
    }
    return data;
}

TEST(Bitmap, DecodesRowsInEitherOrder) {
    for (std::int32_t height : {2, -2}) {
        const host::Bitmap bitmap = host::decode_dib(small_dib(height));
        ASSERT_EQ(bitmap.width, 3);
        ASSERT_EQ(bitmap.height, 2);
        EXPECT_EQ(bitmap.at(0, 0), host::rgb(255, 0, 0)) << height;
        EXPECT_EQ(bitmap.at(2, 1), host::rgb(0, 255, 0)) << height;
    }
}

TEST(Bitmap, RefusesMalformedData) {
    struct Fault {
        const char* name;
        std::size_t at;
        std::uint32_t value;
        int bytes;
    };
    const Fault faults[] = {
        {"header size", 0, 12, 4},        {"24 bits per pixel", 14, 24, 2},
        {"compressed", 16, 1, 4},         {"zero width", 4, 0, 4},
        {"huge height", 8, 1u << 30, 4},  {"too many colours", 32, 257, 4},
        {"rows past the end", 4, 400, 4},
    };
    for (const Fault& fault : faults) {
        std::vector<std::uint8_t> data = small_dib();
        put(data, fault.at, fault.value, fault.bytes);
        EXPECT_THROW(host::decode_dib(data), std::runtime_error) << fault.name;
    }
    const std::vector<std::uint8_t> whole = small_dib();
    const std::vector<std::uint8_t> truncated(whole.begin(), whole.begin() + 30);
    EXPECT_THROW(host::decode_dib(truncated), std::runtime_error);
}

} // namespace
