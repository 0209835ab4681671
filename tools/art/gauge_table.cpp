#include "gauge_table.h"

#include <algorithm>
#include <array>

namespace qx::art {

std::vector<Artwork> draw_classic_timepiece();
std::vector<Artwork> draw_liner_bearingpair();
std::vector<Artwork> draw_liner_groundclear();

namespace {

constexpr std::array gauges{
    GaugeArt{"QX_Classic_Timepiece", draw_classic_timepiece},
    GaugeArt{"QX_Liner_Bearingpair", draw_liner_bearingpair},
    GaugeArt{"QX_Liner_Groundclear", draw_liner_groundclear},
};

} // namespace

std::span<const GaugeArt> gauge_table() {
    return gauges;
}

const GaugeArt* find_gauge(std::string_view name) {
    const auto it = std::find_if(gauges.begin(), gauges.end(),
                                 [name](const GaugeArt& g) { return g.name == name; });
    return it == gauges.end() ? nullptr : &*it;
}

} // namespace qx::art
