// The text convention: narrow to the nearest 32-bit float, format, and write within the
// buffer's stated capacity.
#include "test_support.h"

#include <gtest/gtest.h>

#include <limits>

using test_support::LoadedGauge;

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Element indexes of the fixture's three text elements: "%.0f", "%05.2f" and the literal.
constexpr std::size_t whole = 1, decimal = 2, literal = 3;

struct TextCase {
    const char* name;
    double value;
    std::uint32_t capacity;
    const char* whole_text;
    const char* decimal_text;
    const char* literal_text;
};

const TextCase text_cases[] = {
    {"narrowed to the nearest float", 16777217.0, 64, "16777216", "16777216.00", "/ / / / /"},
    {"narrowing comes before rounding", 29.925, 64, "30", "29.92", "/ / / / /"},
    {"minimum width only", 5.0, 64, "5", "05.00", "/ / / / /"},
    {"negative", -1.25, 64, "-1", "-1.25", "/ / / / /"},
    {"1e308 overflows single precision", 1e308, 64, "inf", "  inf", "/ / / / /"},
    {"negative infinity", -inf, 64, "-inf", " -inf", "/ / / / /"},
    {"cut to a small buffer", 1013.25, 4, "101", "101", "/ /"},
    {"infinity in a small buffer", inf, 3, "in", "  ", "/ "},
    {"one byte holds only the terminator", 1013.25, 1, "", "", ""},
};

TEST(Text, WritesTheNarrowedValueWithinTheStatedCapacity) {
    for (const TextCase& test : text_cases) {
        LoadedGauge gauge(SKELETON_FIXTURE, test.capacity);
        gauge.services.set_variable(103, test.value);
        gauge.instance.update_elements();
        const auto& results = gauge.instance.results();
        EXPECT_EQ(results[whole].text, test.whole_text) << test.name;
        EXPECT_EQ(results[decimal].text, test.decimal_text) << test.name;
        EXPECT_EQ(results[literal].text, test.literal_text) << test.name;
        EXPECT_EQ(results[whole].values[0], 0.0) << test.name;
        EXPECT_TRUE(gauge.instance.text_faults().empty()) << test.name;
    }
}

TEST(Text, NanIsFormattedAndTerminatedInASmallBuffer) {
    LoadedGauge gauge(SKELETON_FIXTURE, 3);
    gauge.services.set_variable(103, nan);
    gauge.instance.update_elements();
    const std::string text = gauge.instance.results()[whole].text;
    EXPECT_TRUE(text == "na" || text == "-n") << text;
    EXPECT_TRUE(gauge.instance.text_faults().empty());
}

TEST(Text, WithoutABufferNothingIsWritten) {
    LoadedGauge gauge(SKELETON_FIXTURE, 0);
    gauge.services.set_variable(103, 1013.25);
    gauge.instance.update_elements();
    EXPECT_EQ(gauge.instance.results()[whole].text, "");
    EXPECT_TRUE(
        gauge.instance.text_faults().empty()); // the guard bytes after the buffer are intact
}

} // namespace
