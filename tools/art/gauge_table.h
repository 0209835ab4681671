#pragma once

#include "artwork.h"

#include <span>
#include <string_view>

namespace qx::art {

struct GaugeArt {
    std::string_view name;
    DrawGauge draw;
};

// Every gauge whose bitmaps this tool draws, by gauge name.
std::span<const GaugeArt> gauge_table();

// The gauge of that name, or nullptr.
const GaugeArt* find_gauge(std::string_view name);

} // namespace qx::art
