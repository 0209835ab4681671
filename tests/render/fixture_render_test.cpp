// Every element kind drawn from the fixture module: moving image, needle, hidden element,
// sprite, slider and icon, each checked at the pixels its rule puts it on.
#include "fixture.h"
#include "render_harness.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

using namespace render_fixture;
using render_test::RenderHarness;
using render_test::Variables;

constexpr double not_a_number = std::numeric_limits<double>::quiet_NaN();

constexpr std::uint32_t rgb_of(Colour c) {
    return static_cast<std::uint32_t>(c.r) << 16 | static_cast<std::uint32_t>(c.g) << 8 | c.b;
}
constexpr std::uint32_t face = rgb_of(face_colour);

// The colour at gauge pixel (x, y) of a picture drawn at `scale`: the centre of the pixel.
std::uint32_t at(const host::Picture& picture, int x, int y, int scale = 1) {
    return picture.rgb(x * scale + scale / 2, y * scale + scale / 2);
}

// The badge lies over the needle; most tests hide it.
Variables with_badge_hidden(Variables variables) {
    variables[badge_token] = 1;
    return variables;
}

} // namespace

TEST(FixtureRender, GaugeIsTheFaceSizeAtEveryScale) {
    RenderHarness fixture(FIXTURE_MODULE);
    for (const int scale : {1, 2, 3}) {
        const host::Picture picture = fixture.draw({}, scale);
        EXPECT_EQ(picture.width(), face_size * scale);
        EXPECT_EQ(picture.height(), face_size * scale);
        EXPECT_EQ(picture.argb(0, 0), 0xFF000000 | face) << "the face is opaque";
    }
}

TEST(FixtureRender, MovingImageWindowShowsTheStripRowsForItsValue) {
    struct Case {
        const char* name;
        double value;
        int first_row;
    } cases[] = {
        {"first bound", strip_first_bound, 0},
        {"second bound", strip_second_bound, strip_rows - strip_window_height},
        {"half way", 15, 15},
        {"one step from the first bound", 29, 1},
        {"beyond the first bound", 40, 0},
        {"beyond the second bound", -5, strip_rows - strip_window_height},
        {"NaN", not_a_number, 0},
    };
    RenderHarness fixture(FIXTURE_MODULE);
    for (const int scale : {1, 2}) {
        for (const Case& c : cases) {
            const std::string what = std::string(c.name) + ", scale " + std::to_string(scale);
            const host::Picture picture = fixture.draw({{strip_token, c.value}}, scale);
            for (int row = 0; row < strip_window_height; ++row) {
                for (int column = 0; column < strip_width; ++column) {
                    const bool detail = row == strip_window_height - 1 && column == strip_width - 1;
                    const std::uint32_t expected =
                        detail ? rgb_of(strip_detail_colour)
                               : rgb_of(strip_row_colour(c.first_row + row));
                    ASSERT_EQ(at(picture, strip_x + column, strip_y + row, scale), expected)
                        << what << ": window row " << row << ", column " << column;
                }
            }
            EXPECT_EQ(at(picture, strip_x, strip_y - 1, scale), face) << what << ": above";
            EXPECT_EQ(at(picture, strip_x, strip_y + strip_window_height, scale), face)
                << what << ": below the window the strip is not seen";
        }
    }
}

TEST(FixtureRender, BlackInANeedleBitmapLeavesTheFaceVisible) {
    RenderHarness fixture(FIXTURE_MODULE);
    const std::uint32_t needle = rgb_of(needle_colour);
    const host::Picture right = fixture.draw(with_badge_hidden({{needle_token, 0}}));
    for (int x = needle_x; x < needle_x + needle_length; ++x) {
        EXPECT_EQ(at(right, x, needle_y), needle) << "the line at x " << x;
        for (const int off : {-2, -1, 1, 2}) {
            EXPECT_EQ(at(right, x, needle_y + off), face)
                << "black at (" << x << ", " << off << ")";
        }
    }
    const host::Picture down = fixture.draw(with_badge_hidden({{needle_token, 90}}));
    EXPECT_EQ(at(down, needle_x, needle_y + needle_length - 2), needle) << "turned to point down";
    EXPECT_EQ(at(down, needle_x + 1, needle_y + 8), face);
    EXPECT_EQ(at(down, needle_x + 8, needle_y), face) << "no longer pointing right";
}

TEST(FixtureRender, HiddenElementLeavesThePixelsBeneathItUnchanged) {
    RenderHarness fixture(FIXTURE_MODULE);
    const host::Picture shown = fixture.draw({{needle_token, 0}, {badge_token, 0}});
    const host::Picture hidden = fixture.draw({{needle_token, 0}, {badge_token, 1}});
    for (int y = badge_y; y < badge_y + badge_size; ++y) {
        for (int x = badge_x; x < badge_x + badge_size; ++x) {
            EXPECT_EQ(at(shown, x, y), rgb_of(badge_colour)) << "(" << x << ", " << y << ")";
            const std::uint32_t beneath = y == needle_y ? rgb_of(needle_colour) : face;
            EXPECT_EQ(at(hidden, x, y), beneath) << "(" << x << ", " << y << ")";
        }
    }
    EXPECT_EQ(at(hidden, icon_x, icon_y), rgb_of(icon_colours[0]))
        << "the elements after a hidden one are still drawn";
}

TEST(FixtureRender, SpriteTurnsCounterClockwiseAndShiftsAlongItsTurnedAxes) {
    constexpr std::uint32_t arm = rgb_of(sprite_colour);
    constexpr int cx = sprite_centre_x;
    constexpr int cy = sprite_centre_y;
    struct Pixel {
        int dx;
        int dy;
    };
    struct Case {
        const char* name;
        double turn;
        double x;
        double y;
        Pixel arm;     // a pixel of the arm, from the centre
        Pixel not_arm; // a pixel the arm has left
    } cases[] = {
        {"no turn: right", 0, 0, 0, {4, 0}, {-4, 0}},
        {"positive turn: up", 90, 0, 0, {0, -4}, {4, 0}},
        {"negative turn: down", -90, 0, 0, {0, 4}, {0, -4}},
        {"half a turn: left", 180, 0, 0, {-4, 0}, {4, 0}},
        {"x shift along the turned x axis (up)", 90, 3, 0, {0, -9}, {0, -2}},
        {"y shift along the unturned y axis (down)", 0, 0, 3, {4, 3}, {4, 0}},
        {"y shift along the turned y axis (right)", 90, 0, 3, {3, -4}, {0, -4}},
        {"window clips the arm", 0, 10, 0, {11, 0}, {13, 0}},
    };
    RenderHarness fixture(FIXTURE_MODULE);
    for (const Case& c : cases) {
        const host::Picture picture = fixture.draw(
            {{sprite_turn_token, c.turn}, {sprite_x_token, c.x}, {sprite_y_token, c.y}});
        EXPECT_EQ(at(picture, cx + c.arm.dx, cy + c.arm.dy), arm) << c.name;
        EXPECT_EQ(at(picture, cx + c.not_arm.dx, cy + c.not_arm.dy), face) << c.name;
    }
    const host::Picture up = fixture.draw({{sprite_turn_token, 90}, {sprite_x_token, 0}});
    EXPECT_EQ(at(up, sprite_detail_x, sprite_detail_y), rgb_of(sprite_detail_colour))
        << "the mask's detail lies over the texture";
    EXPECT_EQ(at(up, sprite_detail_x, sprite_detail_y + 1), arm);
    EXPECT_EQ(at(up, sprite_window_left - 1, cy), face) << "outside the window";
}

TEST(FixtureRender, SliderShiftsByItsValuesTimesItsScales) {
    struct Case {
        const char* name;
        double x;
        double y;
        int expected_x;
        int expected_y;
    } cases[] = {
        {"in place", 0, 0, slider_x, slider_y},
        {"shifted", 3, -2, slider_x + static_cast<int>(3 * slider_scale_x),
         slider_y - static_cast<int>(2 * slider_scale_y)},
        {"NaN is no shift", not_a_number, not_a_number, slider_x, slider_y},
    };
    RenderHarness fixture(FIXTURE_MODULE);
    for (const Case& c : cases) {
        const host::Picture picture = fixture.draw({{slider_x_token, c.x}, {slider_y_token, c.y}});
        EXPECT_EQ(at(picture, c.expected_x, c.expected_y), rgb_of(slider_colour)) << c.name;
        EXPECT_EQ(at(picture, c.expected_x + slider_size - 1, c.expected_y + slider_size - 1),
                  rgb_of(slider_colour))
            << c.name;
        EXPECT_EQ(at(picture, c.expected_x - 1, c.expected_y), face) << c.name;
        EXPECT_EQ(at(picture, c.expected_x + slider_size, c.expected_y), face) << c.name;
    }
}

TEST(FixtureRender, IconShowsThePictureItsValueSelects) {
    struct Case {
        const char* name;
        double value;
        std::uint32_t expected;
    } cases[] = {
        {"picture 0", 0, rgb_of(icon_colours[0])},
        {"a fraction truncates to picture 1", 1.7, rgb_of(icon_colours[1])},
        {"picture 2 is not carried: nothing", 2, face},
        {"beyond the last picture holds at it", 5, face},
        {"below zero holds at picture 0", -3, rgb_of(icon_colours[0])},
        {"NaN is picture 0", not_a_number, rgb_of(icon_colours[0])},
    };
    RenderHarness fixture(FIXTURE_MODULE);
    for (const Case& c : cases) {
        const host::Picture picture = fixture.draw({{icon_token, c.value}});
        EXPECT_EQ(at(picture, icon_x, icon_y), c.expected) << c.name;
        EXPECT_EQ(at(picture, icon_x + icon_size - 1, icon_y + icon_size - 1), c.expected)
            << c.name;
    }
}
