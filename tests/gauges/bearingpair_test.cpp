// The VOR/RMI as the stand-in host reads and drives it.
#include "module_resources.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using test_support::LoadedGauge;
using Calls = std::vector<std::string>;

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// The element results in chain order.
enum : std::size_t { FACE, CARD, INDEX, LEGEND, SINGLE, DOUBLE };

// Both doubles the same, NaN equal to NaN and the sign of zero kept.
bool same(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) {
        return std::isnan(a) && std::isnan(b);
    }
    return a == b && std::signbit(a) == std::signbit(b);
}

// The first run in the program, so that the sound module has not been loaded before.
TEST(Rmi, OneRunBindsTheSoundModuleButNeverPlaysOrStopsASound) {
    ASSERT_FALSE(test_support::sound_module_loaded());
    test_support::reset_sound_counts();
    {
        LoadedGauge gauge(MODULE_QX_Liner_Bearingpair);
        gauge.instance.install();
        gauge.instance.initialize();
        gauge.services.set_variable(81, 10);
        for (int i = 0; i < 5; ++i) {
            gauge.instance.frame();
        }
        gauge.instance.click(137, 137);
        gauge.instance.kill();
    }
    const SOUND_DOUBLE_COUNTS& counts = test_support::sound_counts();
    EXPECT_EQ(counts.loads, 1);
    EXPECT_EQ(counts.terminate_calls, 1);
    EXPECT_EQ(counts.releases, 1);
    EXPECT_EQ(counts.play_calls, 0);
    EXPECT_EQ(counts.stop_calls, 0);
}

struct ElementRow {
    std::int32_t kind;
    std::int32_t bitmap;
    PIXPOINT position;
    PIXPOINT ofs;
    std::uint32_t token; // needle and icon source, sprite rotation source
    std::vector<std::pair<double, PIXPOINT>> table;
};

const std::vector<ElementRow> rmi_elements = {
    {ELEMENT_TYPE_STATIC_IMAGE, 0x1400, {0, 0}, {0, 0}, 0, {}},
    {ELEMENT_TYPE_SPRITE, 0x1800, {0, 0}, {137, 136}, 81, {}},
    {ELEMENT_TYPE_ICON, 0x1200, {130, 0}, {0, 0}, 0, {}},
    {ELEMENT_TYPE_ICON, 0x1300, {110, 115}, {0, 0}, 0, {}},
    {ELEMENT_TYPE_NEEDLE,
     0x1600,
     {137, 137},
     {80, 10},
     550,
     {{0, {137, 41}}, {90, {227, 134}}, {180, {137, 228}}, {270, {45, 136}}, {359, {133, 41}}}},
    {ELEMENT_TYPE_NEEDLE,
     0x1700,
     {138, 137},
     {86, 14},
     59,
     {{0, {137, 40}}, {90, {230, 135}}, {180, {137, 228}}, {270, {44, 136}}, {359, {134, 42}}}},
};

TEST(Rmi, RecordsAreTheRmisAsTabulated) {
    LoadedGauge gauge(MODULE_QX_Liner_Bearingpair);
    const MODULE_LINKAGE* linkage = gauge.module.linkage();
    EXPECT_EQ(linkage->module_id, 0x13u);
    EXPECT_EQ(linkage->module_version, 0x800u);
    EXPECT_EQ(linkage->gauges[1], nullptr);
    EXPECT_EQ(gauge.module.import_table()->panels.id, 0x0Fu);
    const GAUGEHDR* header = gauge.module.gauge();
    EXPECT_STREQ(header->gauge_name, "QX_Liner_Bearingpair");
    EXPECT_EQ(header->header_version, 800u);
    EXPECT_EQ(header->size_mm, 100u);

    const auto& elements = gauge.module.elements();
    ASSERT_EQ(elements.size(), rmi_elements.size());
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const ELEMENT_HEADER* element = elements[i].element;
        const ElementRow& row = rmi_elements[i];
        SCOPED_TRACE("element " + std::to_string(i + 1));
        EXPECT_EQ(elements[i].parent, static_cast<int>(i) - 1); // a single chain
        EXPECT_EQ(element->element_type, row.kind);
        EXPECT_EQ(element->resource_id, row.bitmap);
        EXPECT_EQ(element->position.x, row.position.x);
        EXPECT_EQ(element->position.y, row.position.y);
        EXPECT_EQ(element->ofs.x, row.ofs.x);
        EXPECT_EQ(element->ofs.y, row.ofs.y);
        EXPECT_EQ(gauge.module.stored_flags()[i], 0x83u);
        EXPECT_EQ(element->aircraft_special_instrumentation, 0u);
        EXPECT_EQ(element->failure_systems[0].system, 0);
        EXPECT_EQ(element->failure_systems[0].action, 0);
        if (row.kind == ELEMENT_TYPE_SPRITE) {
            const auto* sprite = reinterpret_cast<const ELEMENT_SPRITE*>(element);
            EXPECT_EQ(sprite->SOURCE_VAR_X.token, 0u);
            EXPECT_EQ(sprite->SCALE_X, 0.0);
            EXPECT_EQ(sprite->SOURCE_VAR_Y.token, 0u);
            EXPECT_EQ(sprite->SCALE_Y, 0.0);
            EXPECT_EQ(sprite->SOURCE_VAR_0.token, row.token);
            EXPECT_EQ(sprite->SCALE_0, 1.0);
            EXPECT_EQ(sprite->TEXTURE_SCALE_X, 1.0f);
            EXPECT_EQ(sprite->TEXTURE_SCALE_Y, 1.0f);
        }
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
        EXPECT_EQ(rect->box.width, 0);
        EXPECT_EQ(rect->target.function, nullptr);
    }
    EXPECT_EQ(gauge.module.tooltip(), "");
}

TEST(Rmi, CarriesExactlyItsSevenBitmapsWithTheirPaintedFeatures) {
    LoadedGauge gauge(MODULE_QX_Liner_Bearingpair);
    const host::ModuleResources resources(gauge.module);
    const std::pair<std::int32_t, std::pair<int, int>> sizes[] = {
        {0x1200, {15, 43}},  {0x1300, {56, 47}},   {0x1400, {302, 302}}, {0x1600, {198, 23}},
        {0x1700, {190, 27}}, {0x1800, {264, 264}}, {0x1801, {269, 266}},
    };
    std::vector<std::int32_t> ids;
    for (const auto& [id, size] : sizes) {
        ids.push_back(id);
        const host::Bitmap* bitmap = resources.bitmap(id);
        ASSERT_NE(bitmap, nullptr) << id;
        EXPECT_EQ(bitmap->width, size.first) << id;
        EXPECT_EQ(bitmap->height, size.second) << id;
    }
    EXPECT_EQ(resources.bitmap_ids(), ids); // no second icon pictures 0x1201, 0x1301

    // The face: black but for one line of 34 grey pixels on its top row.
    const host::Bitmap& face = *resources.bitmap(0x1400);
    int top_row = 0;
    for (int y = 0; y < face.height; ++y) {
        for (int x = 0; x < face.width; ++x) {
            if (face.at(x, y) != 0) {
                EXPECT_EQ(y, 0) << x;
                EXPECT_EQ(face.at(x, y), face.at(137, 0)) << x;
                ++top_row;
            }
        }
    }
    EXPECT_EQ(top_row, 34);

    const host::Bitmap& mask = *resources.bitmap(0x1801);
    const auto orange = [](std::uint32_t c) {
        return (c >> 16) > 200 && ((c >> 8) & 0xFF) > 80 && ((c >> 8) & 0xFF) < 180 &&
               (c & 0xFF) < 80;
    };
    const struct {
        const char* name;
        const host::Bitmap& bitmap;
        int x, y;
        bool (*holds)(std::uint32_t);
    } features[] = {
        {"card mask window at the card's centre", mask, 137, 136,
         [](std::uint32_t c) { return c == host::rgb(1, 1, 1); }},
        {"card mask outside in its corner", mask, 0, 265, [](std::uint32_t c) { return c == 0u; }},
        {"card mask window, no mark, at the top", mask, 137, 14,
         [](std::uint32_t c) { return c == host::rgb(1, 1, 1); }},
        {"card mask mark at the right", mask, 137 + 125, 136, orange},
        {"card mask mark at the bottom", mask, 137, 136 + 125, orange},
        {"card mask mark at the lower left", mask, 137 - 88, 136 + 88, orange},
        {"card dark disc at the centre", *resources.bitmap(0x1800), 132, 132,
         [](std::uint32_t c) { return c != 0u && (c & 0xFF) < 64; }},
        {"card white tick at north", *resources.bitmap(0x1800), 131, 6,
         [](std::uint32_t c) { return (c & 0xFF) > 200; }},
        {"single-line pointer head near its right end", *resources.bitmap(0x1600), 185, 10,
         [](std::uint32_t c) { return (c & 0xFF) > 200; }},
        {"double-line pointer hub on its pivot", *resources.bitmap(0x1700), 86, 14,
         [](std::uint32_t c) { return c != 0u; }},
        {"double-line pointer open head", *resources.bitmap(0x1700), 176, 14,
         [](std::uint32_t c) { return c == 0u; }},
        {"top index on its centre line", *resources.bitmap(0x1200), 7, 30,
         [](std::uint32_t c) { return (c & 0xFF) > 200; }},
    };
    for (const auto& feature : features) {
        EXPECT_TRUE(feature.holds(feature.bitmap.at(feature.x, feature.y)))
            << feature.name << ": " << std::hex << feature.bitmap.at(feature.x, feature.y);
    }
}

TEST(Rmi, UpdateRefreshesHeadingDoubleThenSingleBearing) {
    LoadedGauge gauge(MODULE_QX_Liner_Bearingpair);
    gauge.instance.install();
    EXPECT_EQ(gauge.take_calls(), Calls{});
    gauge.instance.send(PANEL_SERVICE_PRE_UPDATE);
    EXPECT_EQ(gauge.take_calls(), (Calls{"lookup_var:81", "lookup_var:59", "lookup_var:550"}));
    for (std::int32_t id : {2, 4, 10, 12, 0, 1, 3, 5, 7, 8, 9, 11, 13, 100, -1}) {
        gauge.instance.send(id);
        EXPECT_EQ(gauge.take_calls(), Calls{}) << "service id " << id;
    }
}

// The card and the pointers show the gauge's own copies of tokens 81, 550 and 59 as refreshed
// at PANEL_SERVICE_PRE_UPDATE; the host changes its variables after that refresh, so that the
// elements' own copies differ.
TEST(Rmi, CardAndPointersShowTheGlobalValuesUnchanged) {
    const struct {
        const char* name;
        double heading, single, dbl;
    } cases[] = {
        {"default preview", 30, 60, 300},
        {"fractions", 359.75, 0.5, 179.25},
        {"beyond the last row", 359.5, 359.5, 359.5},
        {"outside 0 to 359", 450, -90, 720},
        {"negative zero and huge", -0.0, 1e9, -1e9},
        {"NaN", nan, nan, nan},
    };
    LoadedGauge gauge(MODULE_QX_Liner_Bearingpair);
    gauge.instance.install();
    gauge.instance.initialize();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        gauge.services.set_variable(81, c.heading);
        gauge.services.set_variable(550, c.single);
        gauge.services.set_variable(59, c.dbl);
        gauge.services.set_variable(0, 7); // token 0 reads 0 whatever is set
        gauge.instance.send(PANEL_SERVICE_PRE_UPDATE);
        gauge.services.set_variable(81, 11);
        gauge.services.set_variable(550, 22);
        gauge.services.set_variable(59, 33);
        gauge.instance.update_elements();
        gauge.instance.send(PANEL_SERVICE_PRE_DRAW);

        const auto& results = gauge.instance.results();
        EXPECT_TRUE(same(results[CARD].values[0], 0.0));
        EXPECT_TRUE(same(results[CARD].values[1], 0.0));
        EXPECT_TRUE(same(results[CARD].values[2], c.heading)) << results[CARD].values[2];
        EXPECT_TRUE(same(results[INDEX].values[0], 0.0));
        EXPECT_TRUE(same(results[LEGEND].values[0], 0.0));
        EXPECT_TRUE(same(results[SINGLE].values[0], c.single)) << results[SINGLE].values[0];
        EXPECT_TRUE(same(results[DOUBLE].values[0], c.dbl)) << results[DOUBLE].values[0];
    }
    // The elements' own copies were the later values all along.
    const auto& elements = gauge.module.elements();
    EXPECT_EQ(reinterpret_cast<const ELEMENT_SPRITE*>(elements[CARD].element)->SOURCE_VAR_0.value,
              11.0);
    EXPECT_EQ(reinterpret_cast<const ELEMENT_NEEDLE*>(elements[SINGLE].element)->SOURCE_VAR.value,
              22.0);
    EXPECT_EQ(reinterpret_cast<const ELEMENT_NEEDLE*>(elements[DOUBLE].element)->SOURCE_VAR.value,
              33.0);

    // Every element with a callback is lit; no other stored flag changed.
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const std::uint32_t lit = i == FACE ? 0u : DRAW_FLAG_LIT;
        EXPECT_EQ(elements[i].element->image_flags, gauge.module.stored_flags()[i] | lit)
            << "element " << i + 1;
    }
    gauge.instance.kill();
}

TEST(Rmi, BeforeTheFirstUpdateTheCardAndPointersStandAtZero) {
    LoadedGauge gauge(MODULE_QX_Liner_Bearingpair);
    gauge.services.set_variable(81, 45);
    gauge.services.set_variable(550, 90);
    gauge.services.set_variable(59, 180);
    gauge.instance.update_elements();
    const auto& results = gauge.instance.results();
    EXPECT_EQ(results[CARD].values[2], 0.0);
    EXPECT_EQ(results[SINGLE].values[0], 0.0);
    EXPECT_EQ(results[DOUBLE].values[0], 0.0);
}

// A pointer's value is its angle from the top of the gauge: the card's heading does not enter.
TEST(Rmi, APointerAt90PointsRightWhateverTheHeading) {
    LoadedGauge gauge(MODULE_QX_Liner_Bearingpair);
    gauge.instance.install();
    gauge.instance.initialize();
    gauge.services.set_variable(550, 90);
    gauge.services.set_variable(59, 90);
    for (double heading : {0.0, 45.0, 90.0, 180.0, 270.0, 359.0, -30.0}) {
        gauge.services.set_variable(81, heading);
        gauge.instance.frame();
        const auto& results = gauge.instance.results();
        EXPECT_EQ(results[CARD].values[2], heading);
        for (std::size_t pointer : {SINGLE, DOUBLE}) {
            EXPECT_EQ(results[pointer].values[0], 90.0) << "heading " << heading;
            const auto* needle =
                reinterpret_cast<const ELEMENT_NEEDLE*>(gauge.module.elements()[pointer].element);
            const NONLINEARITY& row = needle->NONLINEARITY_TABLE[1];
            ASSERT_EQ(row.value, 90.0);
            EXPECT_GT(row.point.x - needle->header.position.x, 80); // to the right of the pivot
            EXPECT_LE(std::abs(row.point.y - needle->header.position.y), 3);
        }
    }
    gauge.instance.kill();
}

TEST(Rmi, TakesNoClickAnywhere) {
    LoadedGauge gauge(MODULE_QX_Liner_Bearingpair);
    gauge.instance.install();
    gauge.take_calls();
    for (int x = -10; x < 320; x += 7) {
        for (int y = -10; y < 320; y += 7) {
            EXPECT_EQ(gauge.instance.click(x, y, 3).rect, -1);
        }
    }
    EXPECT_EQ(gauge.take_calls(), Calls{});
    EXPECT_TRUE(gauge.services.key_events().empty());
}

} // namespace
