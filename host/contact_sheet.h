// A contact sheet: several drawn gauges in a grid, each labelled below its picture.
#pragma once

#include "font_library.h"
#include "picture.h"

#include <string>
#include <vector>

namespace host {

struct SheetCell {
    Picture picture;
    // The label's lines: a title (the gauge's name), then lines of detail, each wrapped to
    // the cell's width.
    std::string title;
    std::vector<std::string> lines;
};

// Lays out `cells` in rows of `columns` (0: up to four), every cell as large as the largest
// picture and label, at `scale` (the scale the pictures were drawn at). Throws
// std::invalid_argument for an empty list.
Picture contact_sheet(const std::vector<SheetCell>& cells, int scale, int columns,
                      FontLibrary& fonts);

} // namespace host
