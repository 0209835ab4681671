// The clock as the stand-in host reads and drives it.
#include "module_resources.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using test_support::LoadedGauge;

namespace {

struct ElementRow {
    std::int32_t kind;
    std::int32_t bitmap;
    PIXPOINT position;
    PIXPOINT ofs;
    std::uint32_t token;
    std::vector<std::pair<double, PIXPOINT>> table;
};

const std::vector<ElementRow> clock_elements = {
    {ELEMENT_TYPE_STATIC_IMAGE, 0x100, {0, 0}, {0, 0}, 0, {}},
    {ELEMENT_TYPE_ICON, 0x100, {0, 0}, {0, 0}, 0, {}},
    {ELEMENT_TYPE_NEEDLE,
     0x1300,
     {139, 136},
     {-9, 3},
     5,
     {{0, {135, 20}},
      {10, {230, 79}},
      {20, {231, 186}},
      {30, {136, 237}},
      {40, {46, 185}},
      {50, {48, 81}},
      {60, {133, 19}}}},
    {ELEMENT_TYPE_NEEDLE,
     0x1200,
     {139, 136},
     {-8, 5},
     4,
     {{0, {136, 21}},
      {5, {192, 35}},
      {10, {228, 81}},
      {15, {242, 133}},
      {20, {227, 185}},
      {25, {191, 225}},
      {30, {136, 236}},
      {35, {84, 223}},
      {40, {46, 185}},
      {45, {33, 133}},
      {50, {45, 79}},
      {55, {84, 43}},
      {60, {133, 18}}}},
    {ELEMENT_TYPE_NEEDLE,
     0x1100,
     {139, 135},
     {-9, 7},
     3,
     {{1, {192, 35}},
      {2, {229, 78}},
      {3, {245, 133}},
      {4, {231, 186}},
      {5, {192, 226}},
      {6, {136, 245}},
      {7, {76, 232}},
      {8, {37, 190}},
      {9, {31, 133}},
      {10, {40, 77}},
      {11, {85, 45}},
      {12, {133, 19}}}},
};

TEST(Clock, RecordsAreTheClocksAsTabulated) {
    LoadedGauge gauge(MODULE_QX_Classic_Timepiece);
    const MODULE_LINKAGE* linkage = gauge.module.linkage();
    EXPECT_EQ(linkage->module_id, 0x13u);
    EXPECT_EQ(linkage->module_version, 0x800u);
    EXPECT_EQ(gauge.module.import_table()->panels.id, 0x0Fu);
    const GAUGEHDR* header = gauge.module.gauge();
    EXPECT_STREQ(header->gauge_name, "QX_Classic_Timepiece");
    EXPECT_EQ(header->header_version, 800u);
    EXPECT_EQ(header->size_mm, 100u);

    const auto& elements = gauge.module.elements();
    ASSERT_EQ(elements.size(), clock_elements.size());
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const ELEMENT_HEADER* element = elements[i].element;
        const ElementRow& row = clock_elements[i];
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

    // A mouse list of the frame only: no tooltip, no click area.
    const auto& rects = gauge.module.mouse_rects();
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0]->rect_type, MOUSE_RECT_PARENT);
    EXPECT_EQ(rects[1]->rect_type, MOUSE_RECT_END_PARENT);
    EXPECT_EQ(rects[2]->rect_type, MOUSE_RECT_EOL);
    for (const MOUSERECT* rect : rects) {
        EXPECT_EQ(rect->cursor, -1);
    }
    EXPECT_EQ(gauge.module.tooltip(), "");
}

TEST(Clock, CarriesExactlyItsFourBitmaps) {
    LoadedGauge gauge(MODULE_QX_Classic_Timepiece);
    const host::ModuleResources resources(gauge.module);
    EXPECT_EQ(resources.bitmap_ids(), (std::vector<std::int32_t>{0x100, 0x1100, 0x1200, 0x1300}));
    const std::pair<std::int32_t, std::pair<int, int>> sizes[] = {
        {0x100, {272, 271}}, {0x1100, {74, 13}}, {0x1200, {104, 9}}, {0x1300, {102, 4}}};
    for (const auto& [id, size] : sizes) {
        const host::Bitmap* bitmap = resources.bitmap(id);
        ASSERT_NE(bitmap, nullptr) << id;
        EXPECT_EQ(bitmap->width, size.first) << id;
        EXPECT_EQ(bitmap->height, size.second) << id;
    }
    // The hands lie on dark grey, the face's corners are pure black.
    EXPECT_EQ(resources.bitmap(0x1100)->at(0, 0), host::rgb(24, 24, 24));
    EXPECT_EQ(resources.bitmap(0x100)->at(0, 0), host::rgb(0, 0, 0));
}

TEST(Clock, HandsReceiveTheHostValuesUnchangedWithTheLitFlagSet) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double hour, minute, second;
    } cases[] = {{10.175, 10.5, 30}, {0, 0, 60}, {13, 61, -1}, {12, 59.99, 0.25}, {nan, 1e9, -0.0}};
    LoadedGauge gauge(MODULE_QX_Classic_Timepiece);
    gauge.instance.install();
    gauge.instance.initialize();
    for (const auto& values : cases) {
        gauge.services.set_variable(3, values.hour);
        gauge.services.set_variable(4, values.minute);
        gauge.services.set_variable(5, values.second);
        gauge.instance.frame();
        const auto& results = gauge.instance.results();
        const double expected[] = {0.0, values.second, values.minute, values.hour};
        for (std::size_t i = 1; i < results.size(); ++i) {
            const double got = results[i].values[0];
            if (std::isnan(expected[i - 1])) {
                EXPECT_TRUE(std::isnan(got)) << "element " << i + 1;
            } else {
                EXPECT_EQ(std::signbit(got), std::signbit(expected[i - 1])) << "element " << i + 1;
                EXPECT_EQ(got, expected[i - 1]) << "element " << i + 1;
            }
            EXPECT_NE(results[i].flags & DRAW_FLAG_LIT, 0u) << "element " << i + 1;
        }
    }
}

TEST(Clock, CallsNoHostServiceForAnyServiceIdAndTakesNoClick) {
    LoadedGauge gauge(MODULE_QX_Classic_Timepiece);
    for (std::int32_t id : {2, 4, 6, 10, 12, 0, 1, 3, 5, 7, 8, 9, 11, 13, 100, -1}) {
        gauge.instance.send(id);
    }
    for (int x = -10; x < 290; x += 7) {
        for (int y = -10; y < 290; y += 7) {
            EXPECT_EQ(gauge.instance.click(x, y).rect, -1);
        }
    }
    EXPECT_EQ(gauge.take_calls(), std::vector<std::string>{});
}

} // namespace
