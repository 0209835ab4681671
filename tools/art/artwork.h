#pragma once

#include "canvas.h"

#include <string>
#include <vector>

namespace qx::art {

// One bitmap of a gauge: the file it is written to and the picture drawn for it.
struct Artwork {
    std::string file_name;
    Canvas canvas;
};

// Draws every bitmap of one gauge.
using DrawGauge = std::vector<Artwork> (*)();

} // namespace qx::art
