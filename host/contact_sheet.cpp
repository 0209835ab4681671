#include "contact_sheet.h"
#include "text_box.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace host {

namespace {

// Sizes in pixels at scale 1.
constexpr double padding = 12.0;
constexpr double label_gap = 8.0;
constexpr double title_size = 14.0;
constexpr double line_size = 11.0;
constexpr double line_spacing = 1.35;
constexpr double min_cell_width = 200.0;
constexpr int default_columns = 4;

struct Colour {
    double r, g, b;
};
constexpr Colour sheet_ground{0.15, 0.16, 0.18};
constexpr Colour cell_ground{0.21, 0.22, 0.25};
constexpr Colour title_colour{0.93, 0.93, 0.93};
constexpr Colour line_colour{0.70, 0.73, 0.76};

void set_colour(cairo_t* cr, Colour c) {
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

struct LabelFont {
    const FontFace& face;
    double size;
};

void select(cairo_t* cr, const LabelFont& font, const cairo_font_options_t* options) {
    cairo_set_font_face(cr, font.face.face);
    cairo_set_font_size(cr, font.size);
    cairo_set_font_options(cr, options);
}

double advance(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

// Breaks `text` at spaces into lines no wider than `width` in the current font; a single word
// wider than that stands on its own line, clipped by the cell.
std::vector<std::string> wrapped(cairo_t* cr, const std::string& text, double width) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string line;
    for (std::string word; words >> word;) {
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && advance(cr, longer) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty() || lines.empty()) {
        lines.push_back(line);
    }
    return lines;
}

// A cell's label broken into the lines drawn.
struct Label {
    std::vector<std::string> title;
    std::vector<std::string> lines;
};

} // namespace

Picture contact_sheet(const std::vector<SheetCell>& cells, int scale, int columns,
                      FontLibrary& fonts) {
    if (cells.empty()) {
        throw std::invalid_argument("a contact sheet needs at least one picture");
    }
    const int across =
        std::min(static_cast<int>(cells.size()), columns > 0 ? columns : default_columns);
    const int down = (static_cast<int>(cells.size()) + across - 1) / across;
    const LabelFont title{fonts.face("Arial", 700), title_size * scale};
    const LabelFont line{fonts.face("Arial", 400), line_size * scale};
    const double pad = padding * scale;

    int picture_width = 0;
    int picture_height = 0;
    for (const SheetCell& cell : cells) {
        picture_width = std::max(picture_width, cell.picture.width());
        picture_height = std::max(picture_height, cell.picture.height());
    }
    const double inner_width = std::max<double>(picture_width, min_cell_width * scale);

    // Measure every label on a scratch context, to size the cells before drawing.
    const Picture scratch(1, 1);
    const ContextHandle measure(cairo_create(scratch.surface()));
    std::vector<Label> labels;
    std::size_t most_lines = 0;
    std::size_t most_title_lines = 0;
    for (const SheetCell& cell : cells) {
        Label label;
        select(measure.get(), title, fonts.options());
        label.title = wrapped(measure.get(), displayable_utf8(cell.title), inner_width);
        select(measure.get(), line, fonts.options());
        for (const std::string& text : cell.lines) {
            for (std::string& part : wrapped(measure.get(), displayable_utf8(text), inner_width)) {
                label.lines.push_back(std::move(part));
            }
        }
        most_title_lines = std::max(most_title_lines, label.title.size());
        most_lines = std::max(most_lines, label.lines.size());
        labels.push_back(std::move(label));
    }
    const double title_step = title.size * line_spacing;
    const double line_step = line.size * line_spacing;
    const double label_height = most_title_lines * title_step + most_lines * line_step;
    const double cell_width = inner_width + 2 * pad;
    const double cell_height = pad + picture_height + label_gap * scale + label_height + pad;

    Picture sheet(static_cast<int>(std::ceil(across * cell_width + (across + 1) * pad)),
                  static_cast<int>(std::ceil(down * cell_height + (down + 1) * pad)));
    const ContextHandle context(cairo_create(sheet.surface()));
    cairo_t* cr = context.get();
    set_colour(cr, sheet_ground);
    cairo_paint(cr);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const double x = pad + static_cast<double>(i % across) * (cell_width + pad);
        const double y = pad + static_cast<double>(i / across) * (cell_height + pad);
        set_colour(cr, cell_ground);
        cairo_rectangle(cr, x, y, cell_width, cell_height);
        cairo_fill(cr);

        const Picture& picture = cells[i].picture;
        cairo_set_source_surface(cr, picture.surface(),
                                 std::round(x + (cell_width - picture.width()) / 2.0),
                                 std::round(y + pad + (picture_height - picture.height()) / 2.0));
        cairo_paint(cr);

        cairo_save(cr);
        cairo_rectangle(cr, x, y, cell_width, cell_height);
        cairo_clip(cr);
        // Each line takes its step down the label, its baseline one font size below its top.
        double top = y + pad + picture_height + label_gap * scale;
        const auto show = [&](const LabelFont& font, Colour colour, double step,
                              const std::vector<std::string>& texts) {
            select(cr, font, fonts.options());
            set_colour(cr, colour);
            for (const std::string& text : texts) {
                cairo_move_to(cr, x + pad, top + font.size);
                cairo_show_text(cr, text.c_str());
                top += step;
            }
        };
        show(title, title_colour, title_step, labels[i].title);
        show(line, line_colour, line_step, labels[i].lines);
        cairo_restore(cr);
    }
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error(std::string("cannot draw the contact sheet: ") +
                                 cairo_status_to_string(cairo_status(cr)));
    }
    return sheet;
}

} // namespace host
