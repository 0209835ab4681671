// The drawing rules that are plain geometry: needle angles from calibration tables, the travel
// of moving images, sprite turns and shifts, icon pictures, and the text a module writes.
#include "image_geometry.h"
#include "needle_geometry.h"
#include "text_box.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace {

using host::NeedleCalibration;

constexpr double not_a_number = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

double degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

NONLINEARITY row(int x, int y, double value) {
    return {.point = {x, y}, .value = value};
}

struct AngleCase {
    const char* name;
    double value;
    double expected_degrees; // clockwise on the screen from pointing right
};

void expect_angles(const NeedleCalibration& calibration, const std::vector<AngleCase>& cases) {
    for (const AngleCase& c : cases) {
        EXPECT_NEAR(degrees(calibration.angle(c.value)), c.expected_degrees, 1e-9) << c.name;
    }
}

} // namespace

TEST(NeedleCalibration, CompassRowsUnwrapClockwiseInterpolateAndExtrapolate) {
    // Top, right, bottom, left and the top again about (100, 100).
    const std::vector<NONLINEARITY> rows = {row(100, 0, 0), row(200, 100, 90), row(100, 200, 180),
                                            row(0, 100, 270), row(100, 0, 360)};
    const NeedleCalibration compass({100, 100}, rows);
    EXPECT_NEAR(degrees(compass.row_angles().back()), 270.0, 1e-9)
        << "the last row lies a full turn on from the first, not back at it";
    expect_angles(compass, {
                               {"first row", 0, -90},
                               {"between the first rows", 45, -45},
                               {"a row", 180, 90},
                               {"between the last rows", 315, 225},
                               {"last row", 360, 270},
                               {"beyond the last row keeps turning", 400, 310},
                               {"before the first row turns back", -30, -120},
                               {"NaN draws at the first row", not_a_number, -90},
                               {"infinity draws at the first row", inf, -90},
                               {"minus infinity draws at the first row", -inf, -90},
                           });
}

TEST(NeedleCalibration, HalfTurnTableKeepsTurningPastItsLastRow) {
    // An altimeter needle of 1000 feet per turn whose table stops at 500, at the bottom.
    const std::vector<NONLINEARITY> rows = {row(50, 0, 0), row(100, 50, 250), row(50, 100, 500)};
    const NeedleCalibration altimeter({50, 50}, rows);
    expect_angles(altimeter, {
                                 {"750 feet points left", 750, 180},
                                 {"1000 feet points up again", 1000, 270},
                                 {"1250 feet points right, a turn on", 1250, 360},
                             });
}

TEST(NeedleCalibration, RowsSharingADirectionAreAFullTurnApart) {
    const std::vector<NONLINEARITY> rows = {row(10, 0, 0), row(10, 0, 10)};
    const NeedleCalibration dial({0, 0}, rows);
    expect_angles(dial, {{"half way round", 5, 180}, {"the second row", 10, 360}});
}

TEST(NeedleCalibration, DegenerateTablesStayFinite) {
    const std::vector<NONLINEARITY> one = {row(0, 10, 7)};
    expect_angles(NeedleCalibration({0, 0}, one), {{"any value, one row", 1e6, 90}});

    const std::vector<NONLINEARITY> equal_values = {row(10, 0, 5), row(0, 10, 5)};
    expect_angles(NeedleCalibration({0, 0}, equal_values),
                  {{"below rows of one value", 4, 0}, {"above rows of one value", 6, 90}});

    const std::vector<NONLINEARITY> rows = {row(10, 0, 0), row(0, 10, 1)};
    EXPECT_TRUE(std::isfinite(NeedleCalibration({0, 0}, rows).angle(1e308)));
    EXPECT_THROW(NeedleCalibration({0, 0}, {}), std::invalid_argument);
}

TEST(MovingImageGeometry, StripTravelsBetweenTheBoundsAndHoldsBeyondThem) {
    // A 40-row strip under a 10-row window, first bound 30 and second bound 0.
    struct Case {
        const char* name;
        double value;
        double first;
        double second;
        double expected;
    } cases[] = {
        {"first bound: top edges meet", 30, 30, 0, 0},
        {"second bound: bottom edges meet", 0, 30, 0, -30},
        {"half way", 15, 30, 0, -15},
        {"beyond the first bound", 40, 30, 0, 0},
        {"beyond the second bound", -5, 30, 0, -30},
        {"NaN holds at the first bound", not_a_number, 30, 0, 0},
        {"equal bounds: no travel", 5, 0, 0, 0},
        {"ascending bounds", 7.5, 0, 30, -7.5},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(host::strip_offset(c.value, c.first, c.second, 10, 40), c.expected)
            << c.name;
    }
}

TEST(SpriteAndSliderGeometry, TurnsShiftsAndScales) {
    EXPECT_NEAR(host::sprite_turn(90, 1.0), -std::numbers::pi / 2, 1e-12)
        << "a positive product turns counter-clockwise, against cairo's positive angles";
    EXPECT_NEAR(host::sprite_turn(90, -1.0), std::numbers::pi / 2, 1e-12);
    EXPECT_NEAR(host::sprite_turn(450, 1.0), -std::numbers::pi / 2, 1e-12);
    EXPECT_EQ(host::sprite_turn(not_a_number, 1.0), 0.0);

    EXPECT_EQ(host::scaled_shift(3, 2), 6);
    EXPECT_EQ(host::scaled_shift(not_a_number, 2), 0);
    EXPECT_EQ(host::scaled_shift(1e300, 1e300), 0) << "an overflowing product is no shift";
    EXPECT_EQ(host::scaled_shift(-1e9, 1), -host::max_shift);

    EXPECT_EQ(host::texture_scale(1.0f), 1.0);
    EXPECT_EQ(host::texture_scale(0.0f), 1.0) << "a scale left unset draws the texture as is";
    EXPECT_EQ(host::texture_scale(std::numeric_limits<float>::quiet_NaN()), 1.0);
    EXPECT_EQ(host::texture_scale(-2.0f), -2.0);
    EXPECT_EQ(host::texture_scale(1e6f), 64.0);
}

TEST(IconGeometry, PictureIsTheTruncatedValueHeldWithinThePictures) {
    struct Case {
        const char* name;
        double value;
        int pictures;
        int expected;
    } cases[] = {
        {"zero", 0, 3, 0},
        {"a fraction truncates", 1.7, 3, 1},
        {"the last picture", 2, 3, 2},
        {"beyond the last", 5, 3, 2},
        {"below zero", -3, 3, 0},
        {"just below zero", -0.5, 3, 0},
        {"NaN", not_a_number, 3, 0},
        {"huge", 1e300, 2, 1},
        {"no pictures", 0, 0, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(host::icon_picture(c.value, c.pictures), c.expected) << c.name;
    }
}

TEST(TextEncoding, ModuleTextIsReadInTheWindowsCharacterSet) {
    EXPECT_EQ(host::windows_text_to_utf8("1013.25"), "1013.25");
    EXPECT_EQ(host::windows_text_to_utf8("12\xB0"), "12\xC2\xB0") << "degree sign";
    EXPECT_EQ(host::windows_text_to_utf8("\x80"), "\xE2\x82\xAC") << "euro sign";
    EXPECT_EQ(host::windows_text_to_utf8("a\nb\tc\x7F"), "abc") << "one line, no controls";
    EXPECT_EQ(host::windows_text_to_utf8("\x81"), "") << "a byte with no character";

    EXPECT_EQ(host::displayable_utf8("10:10:30 \xE2\x9C\x93"), "10:10:30 \xE2\x9C\x93");
    EXPECT_EQ(host::displayable_utf8("\xFF\xC3"), "\xC3\xBF\xC3\x83")
        << "bytes outside UTF-8 are read as Windows characters";
    EXPECT_EQ(host::displayable_utf8("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC")
        << "an encoded surrogate is not UTF-8";
}
