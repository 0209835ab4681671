// The radio altimeter as the stand-in host reads and drives it.
#include "module_resources.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

using test_support::LoadedGauge;
using Calls = std::vector<std::string>;
using KeyEvents = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

namespace {

constexpr int pointer_index = 1;
constexpr int bug_index = 2;
constexpr int flag_index = 3;

// A point inside each click area.
constexpr PIXPOINT knob_right_half = {260, 266};
constexpr PIXPOINT knob_left_half = {229, 266};
constexpr PIXPOINT test_button = {37, 263};

struct ElementRow {
    std::int32_t kind;
    std::int32_t bitmap;
    PIXPOINT position;
    PIXPOINT ofs;
    std::uint32_t token;
    std::vector<std::pair<double, PIXPOINT>> table;
};

const std::vector<ElementRow> altimeter_elements = {
    {ELEMENT_TYPE_STATIC_IMAGE, 0x100, {0, 0}, {0, 0}, 0, {}},
    {ELEMENT_TYPE_NEEDLE,
     0x1100,
     {153, 164},
     {3, 9},
     614,
     {{0, {153, 64}},
      {100, {206, 81}},
      {200, {242, 124}},
      {300, {248, 180}},
      {400, {223, 230}},
      {500, {174, 257}},
      {1000, {93, 242}},
      {1500, {58, 180}},
      {2000, {66, 127}},
      {2500, {76, 101}}}},
    {ELEMENT_TYPE_NEEDLE,
     0x1200,
     {153, 164},
     {12, 9},
     615,
     {{0, {153, 63}},
      {100, {206, 81}},
      {200, {241, 124}},
      {300, {248, 179}},
      {400, {223, 229}},
      {500, {175, 257}},
      {1000, {92, 242}},
      {1500, {56, 179}},
      {2000, {65, 126}},
      {2500, {75, 100}}}},
    {ELEMENT_TYPE_ICON, 0x1300, {160, 55}, {0, 0}, 0, {}},
};

struct MouseRow {
    std::int32_t kind;
    PIXBOX box;
    std::int32_t cursor;
    std::uint32_t flags;
};

const MouseRow altimeter_mouse_rects[] = {
    {MOUSE_RECT_PARENT, {0, 0, 0, 0}, -1, 0},
    {MOUSE_RECT_USER, {0, 0, 0, 0}, -1, 0},
    {MOUSE_RECT_CHILD, {247, 244, 26, 45}, 1, 0x20200000},
    {MOUSE_RECT_CHILD, {218, 241, 23, 51}, 2, 0x20200000},
    {MOUSE_RECT_CHILD, {9, 235, 56, 56}, 5, 0x20000000},
    {MOUSE_RECT_END_PARENT, {0, 0, 0, 0}, -1, 0},
    {MOUSE_RECT_EOL, {0, 0, 0, 0}, -1, 0},
};

const Calls registrations = {"register_var_by_name:rabug,19", "register_var_by_name:ratest,19",
                             "register_var_by_name:raflag,19", "register_var_by_name:raltalert,19"};
const Calls withdrawals = {"unregister_var_by_name:rabug", "unregister_var_by_name:ratest",
                           "unregister_var_by_name:raflag", "unregister_var_by_name:raltalert"};
const char* const named_variables[] = {"rabug", "ratest", "raflag", "raltalert"};

void expect_same(double got, double expected, const std::string& what) {
    if (std::isnan(expected)) {
        EXPECT_TRUE(std::isnan(got)) << what << ": " << got;
    } else {
        EXPECT_DOUBLE_EQ(got, expected) << what;
    }
}

double shown(const LoadedGauge& gauge, int element) {
    return gauge.instance.results()[element].values[0];
}

TEST(RadioAltimeter, RecordsAreTheAltimetersAsTabulated) {
    LoadedGauge gauge(MODULE_QX_Liner_Groundclear);
    const GAUGEHDR* header = gauge.module.gauge();
    EXPECT_STREQ(header->gauge_name, "QX_Liner_Groundclear");
    EXPECT_EQ(header->header_version, 800u);
    EXPECT_EQ(header->size_mm, 100u);
    EXPECT_EQ(header->flags, 0u);

    const auto& elements = gauge.module.elements();
    ASSERT_EQ(elements.size(), altimeter_elements.size());
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const ELEMENT_HEADER* element = elements[i].element;
        const ElementRow& row = altimeter_elements[i];
        SCOPED_TRACE("element " + std::to_string(i + 1));
        EXPECT_EQ(elements[i].parent, static_cast<int>(i) - 1); // a single chain
        EXPECT_EQ(element->element_type, row.kind);
        EXPECT_EQ(element->resource_id, row.bitmap);
        EXPECT_EQ(element->position.x, row.position.x);
        EXPECT_EQ(element->position.y, row.position.y);
        EXPECT_EQ(element->ofs.x, row.ofs.x);
        EXPECT_EQ(element->ofs.y, row.ofs.y);
        EXPECT_EQ(gauge.module.stored_flags()[i], 0x83u);
        EXPECT_EQ(element->failure_systems[0].system, 0);
        EXPECT_EQ(element->failure_systems[0].action, 0);
        if (row.kind == ELEMENT_TYPE_ICON) {
            const auto* icon = reinterpret_cast<const ELEMENT_ICON*>(element);
            EXPECT_EQ(icon->SOURCE_VAR.token, row.token);
            EXPECT_EQ(icon->SWITCH_TYPE, 3);
            EXPECT_EQ(icon->NUM_ICONS, 2);
        }
        if (row.kind == ELEMENT_TYPE_NEEDLE) {
            const auto* needle = reinterpret_cast<const ELEMENT_NEEDLE*>(element);
            EXPECT_EQ(needle->SOURCE_VAR.token, row.token);
            EXPECT_EQ(needle->TURNING_RATE_LIMIT, 0.0);
            ASSERT_EQ(needle->NONLINEARITY_COUNT, row.table.size());
            for (std::size_t r = 0; r < row.table.size(); ++r) {
                EXPECT_EQ(needle->NONLINEARITY_TABLE[r].value, row.table[r].first);
                EXPECT_EQ(needle->NONLINEARITY_TABLE[r].point.x, row.table[r].second.x);
                EXPECT_EQ(needle->NONLINEARITY_TABLE[r].point.y, row.table[r].second.y);
                EXPECT_EQ(needle->NONLINEARITY_TABLE[r].degrees, 0.0);
            }
        }
    }

    const auto& rects = gauge.module.mouse_rects();
    ASSERT_EQ(rects.size(), std::size(altimeter_mouse_rects));
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const MOUSERECT* rect = rects[i];
        const MouseRow& row = altimeter_mouse_rects[i];
        SCOPED_TRACE("mouse rectangle " + std::to_string(i + 1));
        EXPECT_EQ(rect->rect_type, row.kind);
        EXPECT_EQ(rect->box.x, row.box.x);
        EXPECT_EQ(rect->box.y, row.box.y);
        EXPECT_EQ(rect->box.width, row.box.width);
        EXPECT_EQ(rect->box.height, row.box.height);
        EXPECT_EQ(rect->cursor, row.cursor);
        EXPECT_EQ(rect->mouse_flags, row.flags);
        EXPECT_EQ(rect->help_id, 0u);
        EXPECT_EQ(rect->event_id, 0u);
        const bool points_somewhere = row.kind == MOUSE_RECT_CHILD || row.kind == MOUSE_RECT_USER;
        EXPECT_EQ(rect->target.function != nullptr, points_somewhere);
    }
    EXPECT_EQ(gauge.module.tooltip(), "Radioaltimeter");
    ASSERT_NE(rects[1]->tooltip_args, nullptr);
    EXPECT_EQ(rects[1]->tooltip_args->count, 0u);
}

TEST(RadioAltimeter, CarriesExactlyItsFiveBitmapsWithTheFlagPictures) {
    LoadedGauge gauge(MODULE_QX_Liner_Groundclear);
    const host::ModuleResources resources(gauge.module);
    EXPECT_EQ(resources.bitmap_ids(),
              (std::vector<std::int32_t>{0x100, 0x1100, 0x1200, 0x1300, 0x1301}));
    const std::pair<std::int32_t, std::pair<int, int>> sizes[] = {{0x100, {307, 307}},
                                                                  {0x1100, {100, 17}},
                                                                  {0x1200, {130, 22}},
                                                                  {0x1300, {53, 61}},
                                                                  {0x1301, {53, 61}}};
    for (const auto& [id, size] : sizes) {
        const host::Bitmap* bitmap = resources.bitmap(id);
        ASSERT_NE(bitmap, nullptr) << id;
        EXPECT_EQ(bitmap->width, size.first) << id;
        EXPECT_EQ(bitmap->height, size.second) << id;
    }

    // Picture 0 shows nothing; picture 1 shows red on the black that is not drawn.
    const host::Bitmap* no_flag = resources.bitmap(0x1300);
    for (std::uint32_t pixel : no_flag->pixels) {
        ASSERT_EQ(pixel, host::rgb(0, 0, 0));
    }
    const host::Bitmap* red_flag = resources.bitmap(0x1301);
    const std::uint32_t middle = red_flag->at(16, 48);
    EXPECT_GT(middle >> 16 & 0xFF, 3 * (middle >> 8 & 0xFF)) << std::hex << middle;
    EXPECT_EQ(red_flag->at(0, 0), host::rgb(0, 0, 0));

    // The bug is drawn only at its ends, so it never covers the pointer along its length.
    const host::Bitmap* bug = resources.bitmap(0x1200);
    EXPECT_EQ(bug->at(60, 9), host::rgb(0, 0, 0));
    EXPECT_EQ(bug->at(126, 9), host::rgb(255, 136, 0));
}

TEST(RadioAltimeter, LifecyclePublishesRefreshesAndWithdrawsInOrder) {
    test_support::reset_sound_counts();
    LoadedGauge gauge(MODULE_QX_Liner_Groundclear);
    gauge.instance.install();
    EXPECT_EQ(gauge.take_calls(), registrations);
    for (const char* name : named_variables) {
        EXPECT_EQ(gauge.named(name), 0) << name;
    }
    gauge.instance.initialize();
    EXPECT_EQ(gauge.take_calls(), Calls{});
    for (int i = 0; i < 3; ++i) {
        gauge.instance.frame();
        EXPECT_EQ(gauge.take_calls(), (Calls{"lookup_var:614", "lookup_var:615"}));
    }
    for (std::int32_t id : {0, 1, 3, 5, 7, 8, 9, 11, 13, 100, -1}) {
        gauge.instance.send(id);
        EXPECT_EQ(gauge.take_calls(), Calls{}) << "service id " << id;
    }
    gauge.instance.kill();
    EXPECT_EQ(gauge.take_calls(), withdrawals);
    EXPECT_TRUE(gauge.services.named_variables().empty());

    const SOUND_DOUBLE_COUNTS& sound = test_support::sound_counts();
    EXPECT_EQ(sound.loads, 1);
    EXPECT_EQ(sound.terminate_calls, 1);
    EXPECT_EQ(sound.releases, 1);
    EXPECT_EQ(sound.play_calls + sound.stop_calls, 0);
}

TEST(RadioAltimeter, FirstDrawZeroesTheNamedVariablesOnceEvenAfterAnEarlyAlert) {
    LoadedGauge gauge(MODULE_QX_Liner_Groundclear);
    gauge.instance.install();
    gauge.instance.initialize();
    for (const char* name : named_variables) {
        ASSERT_TRUE(gauge.services.write_named(name, 7));
    }
    // Before the first draw the bug already raises the alert: 200 ft above 60 m.
    gauge.services.set_variable(614, 60);
    gauge.services.set_variable(615, 200);
    gauge.instance.send(PANEL_SERVICE_PRE_UPDATE);
    gauge.instance.update_elements();
    gauge.instance.click(test_button.x, test_button.y);
    EXPECT_EQ(gauge.named("raltalert"), 1);
    EXPECT_EQ(gauge.named("ratest"), 0);

    gauge.instance.send(PANEL_SERVICE_PRE_DRAW);
    for (const char* name : named_variables) {
        EXPECT_EQ(gauge.named(name), 0) << name;
    }

    for (const char* name : named_variables) {
        ASSERT_TRUE(gauge.services.write_named(name, 5));
    }
    gauge.instance.send(PANEL_SERVICE_PRE_DRAW);
    for (const char* name : named_variables) {
        EXPECT_EQ(gauge.named(name), 5) << name; // a later draw resets nothing
    }
}

struct HeightCase {
    const char* name;
    double metres;
    double bug_setting;
    std::optional<std::int32_t> ratest_written; // by another panel part
    int test_clicks;
    double pointer;
    double bug;
    double flag;
    std::int32_t alert;
    std::int32_t ratest;
};

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

const HeightCase height_cases[] = {
    {"0 m: -14 ft held at 0; bug 0 equal to the height raises nothing", 0, 0, {}, 0, 0, 0, 0, 0, 0},
    {"1000 m: 3266.8 ft held at 2500", 1000, 0, {}, 0, 2500, 0, 0, 0, 0},
    {"100 m: 314.08 ft", 100, 0, {}, 0, 314.08, 0, 0, 0, 0},
    {"100 m in test: 150 ft and the red flag", 100, 0, {}, 1, 150, 0, 1, 0, 1},
    {"100 m, test switched off again: 314.08 ft", 100, 0, {}, 2, 314.08, 0, 0, 0, 0},
    {"bug 3000 shows 2500 and is compared as 2500 with 2624.64 ft",
     800,
     3000,
     {},
     0,
     2500,
     2500,
     0,
     0,
     0},
    {"bug 3000 held at 2500 is above 2296.56 ft", 700, 3000, {}, 0, 2282.56, 2500, 0, 1, 0},
    {"bug -50 shows 0", 0, -50, {}, 0, 0, 0, 0, 0, 0},
    {"bug -50 is compared as 0 with a height below ground", -1, -50, {}, 0, 0, 0, 0, 1, 0},
    {"60 m: 196.848 ft below bug 200 raises the alert", 60, 200, {}, 0, 182.848, 200, 0, 1, 0},
    {"61 m: 200.1288 ft, no alert though the pointer shows 186.1288",
     61,
     200,
     {},
     0,
     186.1288,
     200,
     0,
     0,
     0},
    {"a negative height with bug 0 raises the alert", -5, 0, {}, 0, 0, 0, 0, 1, 0},
    {"test reading 150 below bug 200 raises nothing at 100 m", 100, 200, {}, 1, 150, 200, 1, 0, 1},
    {"test mode does not suppress the alert at 60 m", 60, 200, {}, 1, 150, 200, 1, 1, 1},
    {"ratest written as 2: no test display", 100, 0, 2, 0, 314.08, 0, 0, 0, 2},
    {"ratest 2, clicked once: 0", 100, 0, 2, 1, 314.08, 0, 0, 0, 0},
    {"ratest 2, clicked twice: 1 and the test display", 100, 0, 2, 2, 150, 0, 1, 0, 1},
    {"ratest written as 1: the test display", 100, 0, 1, 0, 150, 0, 1, 0, 1},
    {"NaN height: no alert", nan, 200, {}, 0, nan, 200, 0, 0, 0},
};

TEST(RadioAltimeter, PointerBugFlagAndAlertFollowTheHeightAndTheTest) {
    LoadedGauge gauge(MODULE_QX_Liner_Groundclear);
    gauge.instance.install();
    gauge.instance.initialize();
    gauge.instance.frame(); // the first draw
    for (const HeightCase& test : height_cases) {
        SCOPED_TRACE(test.name);
        // Another panel part clears the latched alert and the test between cases.
        ASSERT_TRUE(gauge.services.write_named("raltalert", 0));
        ASSERT_TRUE(gauge.services.write_named("ratest", test.ratest_written.value_or(0)));
        gauge.services.set_variable(614, test.metres);
        gauge.services.set_variable(615, test.bug_setting);
        for (int i = 0; i < test.test_clicks; ++i) {
            gauge.instance.click(test_button.x, test_button.y);
        }
        gauge.instance.frame();
        expect_same(shown(gauge, pointer_index), test.pointer, "pointer");
        expect_same(shown(gauge, bug_index), test.bug, "bug");
        expect_same(shown(gauge, flag_index), test.flag, "flag picture");
        EXPECT_EQ(gauge.named("raltalert"), test.alert);
        EXPECT_EQ(gauge.named("ratest"), test.ratest);
        EXPECT_EQ(gauge.named("rabug"), 0);
        EXPECT_EQ(gauge.named("raflag"), 0);
        for (int element : {pointer_index, bug_index, flag_index}) {
            EXPECT_EQ(gauge.instance.results()[element].flags, 0x83u | DRAW_FLAG_LIT) << element;
        }
    }
}

TEST(RadioAltimeter, AlertStaysRaisedAfterClimbingUntilAnotherPartClearsIt) {
    LoadedGauge gauge(MODULE_QX_Liner_Groundclear);
    gauge.instance.install();
    gauge.instance.initialize();
    gauge.instance.frame();
    gauge.services.set_variable(615, 200);
    gauge.services.set_variable(614, 60);
    gauge.instance.frame();
    ASSERT_EQ(gauge.named("raltalert"), 1);

    gauge.services.set_variable(614, 100);
    for (int i = 0; i < 3; ++i) {
        gauge.instance.frame();
        EXPECT_EQ(gauge.named("raltalert"), 1);
    }
    ASSERT_TRUE(gauge.services.write_named("raltalert", 0));
    gauge.instance.frame();
    EXPECT_EQ(gauge.named("raltalert"), 0);
}

struct ClickCase {
    const char* name;
    PIXPOINT at;
    int repeats;
    int calls;
    KeyEvents events;
    std::int32_t ratest;
};

const ClickCase click_cases[] = {
    {"bug knob right half, held", knob_right_half, 3, 4, KeyEvents(4, {0x10311, 0}), 0},
    {"bug knob left half, held", knob_left_half, 2, 3, KeyEvents(3, {0x10312, 0}), 0},
    {"bug knob right half, one click", knob_right_half, 0, 1, {{0x10311, 0}}, 0},
    {"test button, held: acts once", test_button, 4, 1, {}, 1},
};

TEST(RadioAltimeter, KnobHalvesSendTheirEventsWhileHeldAndTheTestButtonActsOncePerClick) {
    for (const ClickCase& test : click_cases) {
        SCOPED_TRACE(test.name);
        LoadedGauge gauge(MODULE_QX_Liner_Groundclear);
        gauge.instance.install();
        gauge.instance.frame();
        ASSERT_TRUE(gauge.services.write_named("ratest", 0));
        gauge.take_calls();
        const host::ClickResult result = gauge.instance.click(test.at.x, test.at.y, test.repeats);
        EXPECT_EQ(result.calls, test.calls);
        EXPECT_EQ(result.returned, std::vector<std::int32_t>(test.calls, 0));
        EXPECT_EQ(gauge.services.key_events(), test.events);
        EXPECT_EQ(gauge.named("ratest"), test.ratest);
        EXPECT_EQ(gauge.take_calls().size(), test.events.size()); // no other host call
    }
}

} // namespace
