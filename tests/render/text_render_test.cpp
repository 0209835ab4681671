// Text elements: the host's font rules, and each text drawn inside its box.
#include "fixture.h"
#include "render_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using namespace render_fixture;
using render_test::RenderHarness;

// The extent of the pixels that differ from the face in a region.
struct Ink {
    int count = 0;
    int left = 1 << 30;
    int right = -1;
    int top = 1 << 30;
    int bottom = -1;
    int closest_to_colour = 1 << 30; // the smallest colour distance to the text colour
};

constexpr std::uint32_t face = static_cast<std::uint32_t>(face_colour.r) << 16 |
                               static_cast<std::uint32_t>(face_colour.g) << 8 | face_colour.b;

int distance(std::uint32_t rgb, std::uint32_t colour_reference) {
    const int r = static_cast<int>(colour_reference & 0xFF);
    const int g = static_cast<int>(colour_reference >> 8 & 0xFF);
    const int b = static_cast<int>(colour_reference >> 16 & 0xFF);
    return std::abs(static_cast<int>(render_test::red_of(rgb)) - r) +
           std::abs(static_cast<int>(render_test::green_of(rgb)) - g) +
           std::abs(static_cast<int>(render_test::blue_of(rgb)) - b);
}

// Ink in the gauge rows from `top` to `bottom` (exclusive) at `scale`, in picture pixels.
Ink ink_in_rows(const host::Picture& picture, int top, int bottom, int scale,
                std::uint32_t colour_reference) {
    Ink ink;
    for (int y = top * scale; y < std::min(bottom * scale, picture.height()); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint32_t rgb = picture.rgb(x, y);
            if (rgb == face) {
                continue;
            }
            ++ink.count;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
            ink.closest_to_colour =
                std::min(ink.closest_to_colour, distance(rgb, colour_reference));
        }
    }
    return ink;
}

} // namespace

TEST(TextRender, WindowsFaceNamesResolveToTheirFreeFaces) {
    struct Case {
        const char* name;
        int weight;
        const char* family;
        const char* style;
    } cases[] = {
        {"Arial", 400, "Liberation Sans", "Regular"},
        {"Arial", 700, "Liberation Sans", "Bold"},
        {"Times New Roman", 400, "Liberation Serif", "Regular"},
        {"Quartz", 100, "DSEG7 Classic", "Light"},
        {"Quartz", 400, "DSEG7 Classic", "Regular"},
        {"No Such Face", 400, "Liberation Sans", "Regular"},
    };
    for (const Case& c : cases) {
        const host::FontFace& face = render_test::fonts().face(c.name, c.weight);
        EXPECT_EQ(face.family, c.family) << c.name << " " << c.weight;
        EXPECT_EQ(face.style, c.style) << c.name << " " << c.weight;
        EXPECT_GT(face.ascent + face.descent, 0.5) << c.name;
    }
}

TEST(TextRender, TextLandsInsideItsBoxVerticallyCentred) {
    struct Case {
        const char* name;
        double value;
        bool overflows;
    } cases[] = {
        {"short text", 42, false},
        {"text longer than its box is clipped", 888888888888.0, true},
    };
    RenderHarness fixture(FIXTURE_MODULE);
    for (const int scale : {1, 2}) {
        for (const Case& c : cases) {
            const host::Picture picture = fixture.draw({{text_token, c.value}}, scale);
            for (const TextBox& box : text_boxes) {
                const std::string what =
                    std::string(box.font) + ", " + c.name + ", scale " + std::to_string(scale);
                // Between the box's rows and the next box's, the face alone: ink in these rows
                // lies inside the box or it would show here.
                const Ink ink =
                    ink_in_rows(picture, box.y - 1, box.y + text_height + 1, scale, box.colour);
                ASSERT_GT(ink.count, 10 * scale * scale) << what;
                EXPECT_GE(ink.left, text_x * scale) << what;
                EXPECT_LT(ink.right, (text_x + text_width) * scale) << what;
                EXPECT_GE(ink.top, box.y * scale) << what;
                EXPECT_LT(ink.bottom, (box.y + text_height) * scale) << what;
                EXPECT_LT(ink.closest_to_colour, 90) << what << ": drawn in FORECOLOR";
                const double ink_middle = (ink.top + ink.bottom + 1) / 2.0 / scale;
                EXPECT_NEAR(ink_middle, box.y + text_height / 2.0, 2.5) << what;
                if (c.overflows) {
                    EXPECT_GE(ink.right, (text_x + text_width - 6) * scale)
                        << what << ": reaches the box's right edge";
                } else {
                    EXPECT_LT(ink.left, (text_x + 3) * scale) << what << ": left-aligned";
                }
            }
        }
    }
}
