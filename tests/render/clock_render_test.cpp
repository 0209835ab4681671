// The clock drawn: each hand points where its calibration table says, the hour hand lies over
// the minute hand, and hour values outside the table land where a clock reader expects.
#include "render_harness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

using render_test::RenderHarness;

constexpr std::uint32_t hour_token = 3;
constexpr std::uint32_t minute_token = 4;
constexpr std::uint32_t second_token = 5;
constexpr std::int32_t face_bitmap = 0x100;

struct Hand {
    const char* name;
    std::size_t element; // index in drawing order
    std::uint32_t token;
    double turn; // the value of one full turn
};

// Drawing order: face, lit face, second, minute, hour.
const Hand hands[] = {
    {"second hand", 2, second_token, 60},
    {"minute hand", 3, minute_token, 60},
    {"hour hand", 4, hour_token, 12},
};

const ELEMENT_NEEDLE& needle(const RenderHarness& clock, const Hand& hand) {
    return *reinterpret_cast<const ELEMENT_NEEDLE*>(
        clock.module().elements()[hand.element].element);
}

struct Point {
    double x;
    double y;
};

// A point on the ray from the hand's pivot towards a calibration point, at 70 % of the hand's
// reach from its pivot to its tip, in gauge coordinates (pixel centres at +0.5).
Point on_ray(const RenderHarness& clock, const Hand& hand, PIXPOINT towards) {
    const ELEMENT_NEEDLE& n = needle(clock, hand);
    const host::Bitmap* bitmap = clock.resources().bitmap(n.header.resource_id);
    const double reach = bitmap->width - n.header.ofs.x;
    const double dx = towards.x - n.header.position.x;
    const double dy = towards.y - n.header.position.y;
    const double length = std::hypot(dx, dy);
    return {n.header.position.x + 0.5 + dx / length * 0.7 * reach,
            n.header.position.y + 0.5 + dy / length * 0.7 * reach};
}

// The values that put every hand but `tested` half a turn away from `fraction` of a turn.
render_test::Variables others_opposite(const Hand& tested, double fraction) {
    render_test::Variables variables;
    for (const Hand& hand : hands) {
        if (hand.token != tested.token) {
            variables[hand.token] = std::fmod(fraction + 0.5, 1.0) * hand.turn;
        }
    }
    return variables;
}

bool is_hand_colour(std::uint32_t rgb) {
    return render_test::red_of(rgb) >= 150 && render_test::green_of(rgb) >= 150 &&
           render_test::blue_of(rgb) >= 150;
}

// Whether a pixel within one pixel of `p` shows a light hand colour where the face has
// another colour.
bool hand_near(const host::Picture& picture, const host::Bitmap& face, Point p, int scale) {
    const int cx = static_cast<int>(std::floor(p.x * scale));
    const int cy = static_cast<int>(std::floor(p.y * scale));
    for (int y = cy - 1; y <= cy + 1; ++y) {
        for (int x = cx - 1; x <= cx + 1; ++x) {
            const std::uint32_t drawn = picture.rgb(x, y);
            if (drawn != face.at(x / scale, y / scale) && is_hand_colour(drawn)) {
                return true;
            }
        }
    }
    return false;
}

// Whether every pixel within one pixel of `p` shows the face as its bitmap has it.
bool face_near(const host::Picture& picture, const host::Bitmap& face, Point p, int scale) {
    const int cx = static_cast<int>(std::floor(p.x * scale));
    const int cy = static_cast<int>(std::floor(p.y * scale));
    for (int y = cy - 1; y <= cy + 1; ++y) {
        for (int x = cx - 1; x <= cx + 1; ++x) {
            if (picture.rgb(x, y) != face.at(x / scale, y / scale)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

TEST(ClockRender, EachHandPointsAtEveryCalibrationRowAndNotHalfATurnAway) {
    RenderHarness clock(CLOCK_MODULE);
    const host::Bitmap& face = *clock.resources().bitmap(face_bitmap);
    for (const int scale : {1, 2}) {
        for (const Hand& hand : hands) {
            const ELEMENT_NEEDLE& n = needle(clock, hand);
            for (std::uint32_t r = 0; r < n.NONLINEARITY_COUNT; ++r) {
                const NONLINEARITY& row = n.NONLINEARITY_TABLE[r];
                const std::string what = std::string(hand.name) + " at " +
                                         std::to_string(row.value) + ", scale " +
                                         std::to_string(scale);
                const Point p = on_ray(clock, hand, row.point);
                render_test::Variables variables = others_opposite(hand, row.value / hand.turn);

                variables[hand.token] = row.value;
                EXPECT_TRUE(hand_near(clock.draw(variables, scale), face, p, scale)) << what;

                variables[hand.token] = row.value + hand.turn / 2;
                EXPECT_TRUE(face_near(clock.draw(variables, scale), face, p, scale))
                    << what << " and half a turn on";
            }
        }
    }
}

TEST(ClockRender, HourHandLiesOverTheMinuteHand) {
    RenderHarness clock(CLOCK_MODULE);
    const host::Bitmap& face = *clock.resources().bitmap(face_bitmap);
    // Both hands at three o'clock, and the hour hand alone there.
    const host::Picture both =
        clock.draw({{hour_token, 3}, {minute_token, 15}, {second_token, 45}});
    const host::Picture hour_alone =
        clock.draw({{hour_token, 3}, {minute_token, 45}, {second_token, 45}});

    int hour_pixels = 0;
    for (int y = 120; y < 150; ++y) {
        for (int x = 150; x < clock.renderer().width(); ++x) {
            if (hour_alone.rgb(x, y) != face.at(x, y)) {
                ++hour_pixels;
                EXPECT_EQ(both.rgb(x, y), hour_alone.rgb(x, y))
                    << "the minute hand shows through the hour hand at (" << x << ", " << y << ")";
            }
        }
    }
    EXPECT_GT(hour_pixels, 300) << "the hour hand is drawn to the right of the hub";
    // Beyond the hour hand's tip the minute hand is there, so it lay under the hour hand: on
    // the ray to the minute hand's fifteen-minute point (242, 133), 90 pixels out.
    const double length = std::hypot(242 - 139, 133 - 136);
    const Point beyond_hour_tip{139.5 + 90 * (242 - 139) / length,
                                136.5 + 90 * (133 - 136) / length};
    EXPECT_TRUE(hand_near(both, face, beyond_hour_tip, 1));
    EXPECT_TRUE(face_near(hour_alone, face, beyond_hour_tip, 1));
}

TEST(ClockRender, HourValuesOutsideTheTablePointWhereAClockReaderExpects) {
    RenderHarness clock(CLOCK_MODULE);
    const ELEMENT_NEEDLE& hour = needle(clock, hands[2]);
    const host::NeedleCalibration calibration(
        hour.header.position,
        std::span<const NONLINEARITY>(hour.NONLINEARITY_TABLE, hour.NONLINEARITY_COUNT));
    // The same direction within a few degrees, whole turns apart.
    const auto same_direction = [&](double value, double row_value) {
        const double apart = calibration.angle(value) - calibration.angle(row_value);
        return std::abs(std::remainder(apart, 2.0 * std::numbers::pi)) <
               6.0 * std::numbers::pi / 180;
    };
    EXPECT_TRUE(same_direction(0, 12)) << "0 o'clock is twelve o'clock";
    EXPECT_TRUE(same_direction(13, 1)) << "13 o'clock is one o'clock";
}
