// Bitmaps of the VOR/RMI: the face, the compass card and its mask, the top index, the VOR
// legend and the two bearing pointers.
//
// The dial's centre is the pointers' pivot, (137, 137) on the face; the card turns about
// (137, 136). The face is black but for a short grey line on its top row, so that the panel
// behind shows around the instrument; the card is seen through a round window in its mask,
// which also carries the fixed orange marks at every 45 degrees but the top. The index at the
// top stands over the card's graduations and leaves the numerals below it free, and the
// pointers reach with their heads into the graduations.

#include "artwork.h"
#include "font.h"

#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>

namespace qx::art {
namespace {

struct Point {
    double x;
    double y;
};

// Pixel (x, y) has its centre at (x + 0.5, y + 0.5) in drawing coordinates.
constexpr Point pixel_centre(int x, int y) {
    return {x + 0.5, y + 0.5};
}

constexpr int face_size = 302;
constexpr int card_size = 264;
constexpr int mask_width = 269;
constexpr int mask_height = 266;

// Where the card's centre lies in the mask's window, which is the gauge's own coordinates.
constexpr Point card_centre_on_gauge = pixel_centre(137, 136);
constexpr Point card_centre = {card_size / 2.0, card_size / 2.0};

constexpr Rgb card_dark{30, 31, 35};
constexpr Rgb card_rim_dark{20, 21, 24};
constexpr Rgb marking_white{242, 242, 238};
constexpr Rgb pointer_white{246, 246, 244};
constexpr Rgb mark_orange{255, 132, 16};
constexpr Rgb top_line_grey{70, 70, 72};

// Radii on the card, from its centre.
constexpr double card_radius = 131.0;
constexpr double window_radius = 129.0;
constexpr double tick_outer = 129.5;
constexpr double minor_tick_inner = 121.0;
constexpr double major_tick_inner = 114.0;
constexpr double numeral_tick_inner = 108.0;
constexpr double numeral_outer = 94.0;
constexpr double inner_ring = 66.0;

// The fixed marks: wedges pointing inwards from the window's edge.
constexpr double mark_outer = 129.6;
constexpr double mark_inner = 116.0;
constexpr double mark_half_width = 4.8;

constexpr double degrees_to_radians = std::numbers::pi / 180.0;

// The point at `radius` from `centre` in the direction `degrees` clockwise from the top.
Point polar(Point centre, double degrees, double radius) {
    const double a = degrees * degrees_to_radians;
    return {centre.x + radius * std::sin(a), centre.y - radius * std::cos(a)};
}

void circle(cairo_t* cr, Point c, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, c.x, c.y, r, 0.0, 2.0 * std::numbers::pi);
}

void radial_line(cairo_t* cr, Point c, double degrees, double from, double to) {
    const Point a = polar(c, degrees, from);
    const Point b = polar(c, degrees, to);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
}

struct PatternDeleter {
    void operator()(cairo_pattern_t* p) const { cairo_pattern_destroy(p); }
};
using Pattern = std::unique_ptr<cairo_pattern_t, PatternDeleter>;

void add_stop(cairo_pattern_t* p, double offset, Rgb c) {
    cairo_pattern_add_color_stop_rgb(p, offset, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

// Black throughout but for a dark grey line of 34 pixels on the top row, centred over the
// index.
Artwork draw_face() {
    Canvas canvas(face_size, face_size);
    cairo_t* cr = canvas.cr();
    canvas.set_colour(black);
    cairo_paint(cr);
    constexpr int line_length = 34;
    constexpr int line_left = 137 - line_length / 2;
    canvas.set_colour(top_line_grey);
    cairo_rectangle(cr, line_left, 0, line_length, 1);
    cairo_fill(cr);
    return {"face.bmp", std::move(canvas)};
}

// The card's legends: every 30 degrees, clockwise from north.
constexpr std::array<const char*, 12> card_legends{"N", "3",  "6",  "E", "12", "15",
                                                   "S", "21", "24", "W", "30", "33"};

void draw_card_disc(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    canvas.set_colour(black);
    cairo_paint(cr);
    Pattern disc(cairo_pattern_create_radial(card_centre.x, card_centre.y, inner_ring,
                                             card_centre.x, card_centre.y, card_radius));
    add_stop(disc.get(), 0.0, card_dark);
    add_stop(disc.get(), 1.0, card_rim_dark);
    cairo_set_source(cr, disc.get());
    circle(cr, card_centre, card_radius);
    cairo_fill(cr);
    canvas.set_colour(card_dark);
    circle(cr, card_centre, inner_ring);
    cairo_fill(cr);
}

// Graduations every 5 degrees; longer every 10, longest at the legends.
void draw_card_ticks(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    canvas.set_colour(marking_white);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    for (int degrees = 0; degrees < 360; degrees += 5) {
        const bool legend = degrees % 30 == 0;
        const bool major = degrees % 10 == 0;
        cairo_set_line_width(cr, legend ? 2.4 : major ? 1.9 : 1.3);
        const double inner = legend  ? numeral_tick_inner
                             : major ? major_tick_inner
                                     : minor_tick_inner;
        radial_line(cr, card_centre, degrees, inner, tick_outer);
        cairo_stroke(cr);
    }
    // A fine ring inside the legends, on which the pointers' shafts cross.
    cairo_set_line_width(cr, 0.8);
    circle(cr, card_centre, inner_ring);
    cairo_stroke(cr);
}

// The legends stand on their radius, their tops towards the rim, as on a compass card.
void draw_card_legends(Canvas& canvas, const Font& letters, const Font& numerals) {
    cairo_t* cr = canvas.cr();
    canvas.set_colour(marking_white);
    for (std::size_t i = 0; i < card_legends.size(); ++i) {
        const bool cardinal = i % 3 == 0;
        const Font& font = cardinal ? letters : numerals;
        font.select(cr, cardinal ? 21.0 : 19.0);
        const TextSize size = ink_size(cr, card_legends[i]);
        cairo_save(cr);
        cairo_translate(cr, card_centre.x, card_centre.y);
        cairo_rotate(cr, static_cast<double>(i) * 30.0 * degrees_to_radians);
        centred_text_path(cr, card_legends[i], 0.0, -(numeral_outer - size.height / 2.0));
        cairo_restore(cr);
        cairo_fill(cr);
    }
}

Artwork draw_card() {
    Canvas canvas(card_size, card_size);
    const Font letters("Liberation Sans", "Bold");
    const Font numerals("Liberation Sans Narrow", "Bold");
    draw_card_disc(canvas);
    draw_card_ticks(canvas);
    draw_card_legends(canvas, letters, numerals);
    return {"card.bmp", std::move(canvas)};
}

// The window through which the card is seen, and the seven fixed marks at every 45 degrees
// but the top.
Artwork draw_card_mask() {
    Canvas canvas(mask_width, mask_height);
    cairo_t* cr = canvas.cr();
    canvas.set_colour(black);
    cairo_paint(cr);
    // The window is drawn without smoothing, so that it holds the window colour alone.
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    canvas.set_colour(mask_near_black);
    circle(cr, card_centre_on_gauge, window_radius);
    cairo_fill(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);

    canvas.set_colour(mark_orange);
    for (int degrees = 45; degrees < 360; degrees += 45) {
        const Point tip = polar(card_centre_on_gauge, degrees, mark_inner);
        const Point outer = polar(card_centre_on_gauge, degrees, mark_outer);
        const double across = (degrees + 90.0) * degrees_to_radians;
        const double dx = mark_half_width * std::sin(across);
        const double dy = -mark_half_width * std::cos(across);
        cairo_move_to(cr, tip.x, tip.y);
        cairo_line_to(cr, outer.x + dx, outer.y + dy);
        cairo_line_to(cr, outer.x - dx, outer.y - dy);
        cairo_close_path(cr);
        cairo_fill(cr);
    }
    return {"card_mask.bmp", std::move(canvas)};
}

// A white lubber mark over the top of the card: a wedge at the top end narrowing into a slim
// bar that ends above the numerals.
Artwork draw_top_index() {
    constexpr int width = 15;
    constexpr int height = 43;
    Canvas canvas(width, height);
    cairo_t* cr = canvas.cr();
    canvas.set_colour(black);
    cairo_paint(cr);
    const double centre = width / 2.0;
    constexpr double bar_half = 1.5;
    cairo_move_to(cr, 0.5, 0.0);
    cairo_line_to(cr, width - 0.5, 0.0);
    cairo_line_to(cr, centre + bar_half, 15.0);
    cairo_line_to(cr, centre + bar_half, height - 1.5);
    cairo_line_to(cr, centre, height - 0.3);
    cairo_line_to(cr, centre - bar_half, height - 1.5);
    cairo_line_to(cr, centre - bar_half, 15.0);
    cairo_close_path(cr);
    canvas.set_colour(pointer_white);
    cairo_fill(cr);
    return {"top_index.bmp", std::move(canvas)};
}

// The letters VOR in the lower part of the picture, clear of the pointers' hubs at its centre.
Artwork draw_vor_legend() {
    constexpr int width = 56;
    constexpr int height = 47;
    Canvas canvas(width, height);
    cairo_t* cr = canvas.cr();
    canvas.set_colour(black);
    cairo_paint(cr);
    const Font font("Liberation Sans", "Bold");
    font.select(cr, 13.0);
    canvas.set_colour(marking_white);
    centred_text_path(cr, "VOR", width / 2.0, 38.5);
    cairo_fill(cr);
    return {"vor_legend.bmp", std::move(canvas)};
}

// The single-line pointer, drawn pointing right: a dashed line through the pivot from the tail
// at the left to a solid arrow head near the right end.
Artwork draw_single_pointer() {
    constexpr int width = 198;
    constexpr int height = 23;
    const Point pivot = pixel_centre(80, 10);
    Canvas canvas(width, height);
    cairo_t* cr = canvas.cr();
    canvas.set_colour(black);
    cairo_paint(cr);
    canvas.set_colour(pointer_white);

    constexpr double tip_x = 196.0;
    constexpr double head_base_x = 171.0;
    constexpr double head_half_width = 7.5;
    constexpr double dash_on = 9.0;
    constexpr double dash_off = 5.0;
    // Dashes laid out from the head back to the tail, the first one meeting the head.
    const std::array<double, 2> dashes{dash_on, dash_off};
    cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0.0);
    cairo_set_line_width(cr, 2.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_move_to(cr, head_base_x + 3.0, pivot.y);
    cairo_line_to(cr, 2.0, pivot.y);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0.0);

    cairo_move_to(cr, tip_x, pivot.y);
    cairo_line_to(cr, head_base_x, pivot.y - head_half_width);
    cairo_line_to(cr, head_base_x + 4.0, pivot.y);
    cairo_line_to(cr, head_base_x, pivot.y + head_half_width);
    cairo_close_path(cr);
    cairo_fill(cr);
    return {"single_pointer.bmp", std::move(canvas)};
}

// The double-line pointer, drawn pointing right: a round hub on the pivot, two parallel shafts
// to an open arrow head at the right end, and a thin single tail to the left.
Artwork draw_double_pointer() {
    constexpr int width = 190;
    constexpr int height = 27;
    const Point pivot = pixel_centre(86, 14);
    Canvas canvas(width, height);
    cairo_t* cr = canvas.cr();
    canvas.set_colour(black);
    cairo_paint(cr);

    constexpr double hub_radius = 7.5;
    constexpr double shaft_gap = 3.2;
    constexpr double tip_x = 188.0;
    constexpr double head_base_x = 164.0;
    constexpr double head_half_width = 10.5;
    constexpr double line_width = 1.8;

    canvas.set_colour(pointer_white);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_width(cr, line_width);
    for (const double side : {-1.0, 1.0}) {
        cairo_move_to(cr, pivot.x, pivot.y + side * shaft_gap);
        cairo_line_to(cr, head_base_x, pivot.y + side * shaft_gap);
        cairo_line_to(cr, head_base_x, pivot.y + side * head_half_width);
        cairo_line_to(cr, tip_x, pivot.y);
        cairo_stroke(cr);
    }
    cairo_set_line_width(cr, 1.4);
    cairo_move_to(cr, pivot.x, pivot.y);
    cairo_line_to(cr, 2.0, pivot.y);
    cairo_stroke(cr);

    circle(cr, pivot, hub_radius);
    cairo_fill(cr);
    Pattern cap(cairo_pattern_create_radial(pivot.x - 2.0, pivot.y - 2.0, 0.5, pivot.x, pivot.y,
                                            hub_radius - 1.5));
    add_stop(cap.get(), 0.0, {214, 216, 222});
    add_stop(cap.get(), 1.0, {92, 94, 100});
    cairo_set_source(cr, cap.get());
    circle(cr, pivot, hub_radius - 1.6);
    cairo_fill(cr);
    return {"double_pointer.bmp", std::move(canvas)};
}

} // namespace

std::vector<Artwork> draw_liner_bearingpair() {
    std::vector<Artwork> art;
    art.push_back(draw_face());
    art.push_back(draw_card());
    art.push_back(draw_card_mask());
    art.push_back(draw_top_index());
    art.push_back(draw_vor_legend());
    art.push_back(draw_single_pointer());
    art.push_back(draw_double_pointer());
    return art;
}

} // namespace qx::art
