#include "quantise.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <vector>

namespace {

using qx::art::IndexedImage;
using qx::art::quantise;
using qx::art::Rgb;
using qx::art::RgbImage;

constexpr Rgb black{0, 0, 0};
constexpr Rgb mask{1, 1, 1};
constexpr Rgb hand_background{24, 24, 24};
constexpr Rgb dial_blue{0, 15, 40};

int distance(Rgb a, Rgb b) {
    return (a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b);
}

// 64 x 64 pixels of distinct colours, dark in the top left corner: far more than a palette
// holds, so most of them must be approximated.
RgbImage gradient() {
    RgbImage image{64, 64, {}};
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            image.pixels.push_back({static_cast<std::uint8_t>(x * 4 + 1),
                                    static_cast<std::uint8_t>(y * 4),
                                    static_cast<std::uint8_t>((x * 7 + y * 3) % 256)});
        }
    }
    return image;
}

void put(RgbImage& image, int x, int y, Rgb c) {
    image.pixels[y * image.width + x] = c;
}

// The gradient with black, the mask colour, two flat fill colours and a scattering of colours
// within a few steps of black.
RgbImage gradient_with_flat_colours() {
    RgbImage image = gradient();
    const Rgb near_blacks[] = {{0, 0, 1}, {1, 0, 0}, {0, 1, 1}, {2, 2, 2}, {3, 1, 0}, {4, 4, 4}};
    for (int i = 0; i < 64; ++i) {
        put(image, i, 10, black);
        put(image, i, 20, mask);
        put(image, i, 30, hand_background);
        put(image, i, 40, dial_blue);
        put(image, i, 50, near_blacks[i % std::size(near_blacks)]);
    }
    return image;
}

void expect_each_pixel_takes_a_nearest_entry(const RgbImage& in, const IndexedImage& out) {
    for (int y = 0; y < in.height; ++y) {
        for (int x = 0; x < in.width; ++x) {
            const Rgb original = in.at(x, y);
            const int chosen = distance(original, out.colour_at(x, y));
            for (const Rgb entry : out.palette) {
                ASSERT_LE(chosen, distance(original, entry)) << "pixel " << x << ", " << y;
            }
        }
    }
}

TEST(Quantise, PictureWithFewColoursKeepsEveryPixelExactly) {
    RgbImage image{5, 3, {}};
    for (int i = 0; i < 15; ++i) {
        image.pixels.push_back(
            {static_cast<std::uint8_t>(i * 17), 15, static_cast<std::uint8_t>(40 - i)});
    }
    put(image, 0, 0, black);
    put(image, 4, 2, mask);

    const IndexedImage out = quantise(image, {});
    ASSERT_EQ(out.width, 5);
    ASSERT_EQ(out.height, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(out.colour_at(x, y), image.at(x, y)) << "pixel " << x << ", " << y;
        }
    }
}

TEST(Quantise, ManyColoursFitInAPaletteWhileBlackMaskAndFlatColoursStayExact) {
    const RgbImage image = gradient_with_flat_colours();
    const Rgb flat[] = {hand_background, dial_blue};
    const IndexedImage out = quantise(image, flat);

    EXPECT_LE(out.palette.size(), 256u);
    EXPECT_GT(out.palette.size(), 200u) << "the palette should be used, not left mostly empty";
    for (int x = 0; x < 64; ++x) {
        EXPECT_EQ(out.colour_at(x, 10), black);
        EXPECT_EQ(out.colour_at(x, 20), mask);
        EXPECT_EQ(out.colour_at(x, 30), hand_background);
        EXPECT_EQ(out.colour_at(x, 40), dial_blue);
    }
    expect_each_pixel_takes_a_nearest_entry(image, out);
}

TEST(Quantise, PixelTurnsBlackOnlyWhenItIsBlackOrCloserToBlackThanToAnyOtherEntry) {
    const RgbImage image = gradient_with_flat_colours();
    const IndexedImage out = quantise(image, std::vector<Rgb>{dial_blue});

    int turned_black = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb original = image.at(x, y);
            if (out.colour_at(x, y) != black || original == black) {
                continue;
            }
            ++turned_black;
            for (const Rgb entry : out.palette) {
                if (entry != black) {
                    EXPECT_LT(distance(original, black), distance(original, entry))
                        << "pixel " << x << ", " << y << " turned black";
                }
            }
        }
    }
    EXPECT_GT(turned_black, 0) << "the near-black pixels should exercise the rule";
}

TEST(Quantise, BlackNeverAppearsInAPictureThatHasNone) {
    RgbImage image = gradient();
    for (int i = 0; i < 64; ++i) {
        put(image, i, 0, hand_background);
        put(image, i, 1,
            Rgb{static_cast<std::uint8_t>(i % 3 == 0), static_cast<std::uint8_t>(i % 3 == 1),
                static_cast<std::uint8_t>(i % 3 == 2)});
    }
    const IndexedImage out = quantise(image, std::vector<Rgb>{hand_background});

    EXPECT_EQ(std::count(out.palette.begin(), out.palette.end(), black), 0);
    for (int x = 0; x < 64; ++x) {
        EXPECT_EQ(out.colour_at(x, 0), hand_background);
    }
}

TEST(Quantise, PaletteHoldsOnlyColoursThatThePictureUses) {
    const RgbImage image = gradient();
    const Rgb absent[] = {black, mask, {250, 3, 3}};
    const IndexedImage out = quantise(image, absent);

    const std::set<Rgb> used(image.pixels.begin(), image.pixels.end());
    for (const Rgb entry : out.palette) {
        EXPECT_TRUE(used.contains(entry))
            << "entry " << int(entry.r) << "," << int(entry.g) << "," << int(entry.b);
    }
    const std::set<Rgb> distinct(out.palette.begin(), out.palette.end());
    EXPECT_EQ(distinct.size(), out.palette.size()) << "no entry appears twice";
}

TEST(Quantise, RejectsMoreExactColoursThanAPaletteHoldsAndMalformedPictures) {
    RgbImage crowded{300, 1, {}};
    std::vector<Rgb> exact;
    for (int i = 0; i < 300; ++i) {
        const Rgb c{static_cast<std::uint8_t>(i % 256), static_cast<std::uint8_t>(i / 256), 7};
        crowded.pixels.push_back(c);
        exact.push_back(c);
    }
    EXPECT_THROW(quantise(crowded, exact), std::invalid_argument) << "300 exact colours";

    RgbImage short_of_pixels{4, 4, std::vector<Rgb>(15)};
    EXPECT_THROW(quantise(short_of_pixels, {}), std::invalid_argument) << "15 pixels for 4 x 4";
    EXPECT_THROW(quantise(RgbImage{}, {}), std::invalid_argument) << "empty picture";
}

} // namespace
