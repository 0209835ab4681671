// The VOR/RMI drawn: a bearing pointer at 90 points to the right of the dial whatever the
// heading, because the pointers take no account of the card's turn.
#include "render_harness.h"

#include <gtest/gtest.h>

namespace {

using render_test::RenderHarness;

constexpr std::uint32_t heading_token = 81;
constexpr std::uint32_t single_token = 550;
constexpr std::uint32_t double_token = 59;

struct Pointer {
    const char* name;
    std::uint32_t token;
    std::uint32_t other_token;
    int pivot_x, pivot_y;
};

const Pointer pointers[] = {
    {"single-line pointer", single_token, double_token, 137, 137},
    {"double-line pointer", double_token, single_token, 138, 137},
};

bool is_light(std::uint32_t rgb) {
    return render_test::red_of(rgb) >= 180 && render_test::green_of(rgb) >= 180 &&
           render_test::blue_of(rgb) >= 180;
}

// Light pixels in a band along the row through the pivot, on one side of it, from 20 to 100
// pixels out, that are not light when the pointer points down: the pointer's own pixels there.
int pointer_pixels(const host::Picture& with, const host::Picture& without, const Pointer& p,
                   int side) {
    int count = 0;
    for (int out = 20; out <= 100; ++out) {
        const int x = p.pivot_x + side * out;
        for (int y = p.pivot_y - 8; y <= p.pivot_y + 8; ++y) {
            if (is_light(with.rgb(x, y)) && !is_light(without.rgb(x, y))) {
                ++count;
            }
        }
    }
    return count;
}

constexpr int right = 1;
constexpr int left = -1;

TEST(BearingpairRender, APointerAt90PointsRightWhateverTheHeading) {
    RenderHarness rmi(MODULE_QX_Liner_Bearingpair);
    for (const Pointer& pointer : pointers) {
        for (double heading : {0.0, 30.0, 90.0, 180.0, 270.0}) {
            const std::string what =
                std::string(pointer.name) + ", heading " + std::to_string(heading);
            // The other pointer stands straight up, out of the way of the row. A pointer's head
            // is heavier than its tail: the side it points to holds more of it.
            const host::Picture down = rmi.draw(
                {{heading_token, heading}, {pointer.token, 180}, {pointer.other_token, 0}});
            const host::Picture at_90 =
                rmi.draw({{heading_token, heading}, {pointer.token, 90}, {pointer.other_token, 0}});
            EXPECT_GT(pointer_pixels(at_90, down, pointer, right),
                      pointer_pixels(at_90, down, pointer, left) + 10)
                << what;
            const host::Picture at_270 = rmi.draw(
                {{heading_token, heading}, {pointer.token, 270}, {pointer.other_token, 0}});
            EXPECT_GT(pointer_pixels(at_270, down, pointer, left),
                      pointer_pixels(at_270, down, pointer, right) + 10)
                << what;
        }
    }
}

} // namespace
