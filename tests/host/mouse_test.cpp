// Mouse handling: a box (x, y, w, h) holds x <= px < x + w and y <= py < y + h; the first child
// rectangle holding the point is called, with repeats only where its flags allow.
#include "test_support.h"

#include <gtest/gtest.h>

using test_support::LoadedGauge;

namespace {

struct ClickCase {
    const char* name;
    int x, y, repeats;
    int rect;  // 1-based in the list, 0 for none
    int calls; // calls of its mouse function
    std::vector<std::pair<std::uint32_t, std::uint32_t>> events;
};

const ClickCase click_cases[] = {
    {"top left corner of a box", 10, 10, 0, 3, 1, {{0x1234, 0}}},
    {"bottom right pixel of a box", 29, 29, 0, 3, 1, {{0x1234, 0}}},
    {"just past the right edge", 30, 10, 0, 0, 0, {}},
    {"gap between boxes", 31, 20, 0, 0, 0, {}},
    {"just below the bottom edge", 15, 30, 0, 0, 0, {}},
    {"held where repeat is not allowed", 15, 15, 4, 3, 1, {{0x1234, 0}}},
    {"held where repeat is allowed", 40, 15, 2, 4, 3, {{0x1235, 0}, {0x1235, 0}, {0x1235, 0}}},
    {"flags that take no left click", 65, 15, 0, 5, 0, {}},
    {"outside the gauge", -5, 500, 0, 0, 0, {}},
};

TEST(Mouse, ClicksReachTheFirstRectangleHoldingThePoint) {
    for (const ClickCase& test : click_cases) {
        LoadedGauge gauge(SKELETON_FIXTURE);
        const host::ClickResult result = gauge.instance.click(test.x, test.y, test.repeats);
        EXPECT_EQ(result.rect + 1, test.rect) << test.name;
        EXPECT_EQ(result.calls, test.calls) << test.name;
        EXPECT_EQ(gauge.services.key_events(), test.events) << test.name;
        for (std::int32_t returned : result.returned) {
            EXPECT_EQ(returned, 0) << test.name;
        }
    }
}

TEST(Mouse, TheTooltipIsTheUserRecordsText) {
    LoadedGauge gauge(SKELETON_FIXTURE);
    EXPECT_EQ(gauge.module.tooltip(), "Fixture");
}

} // namespace
