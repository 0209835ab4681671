// Bitmaps of the clock: the face and the hour, minute and second hands.
//
// The hands turn about (139, 136) on the face (the hour hand about (139, 135)) and point at the
// calibration points of their needles, so the numerals and minute ticks lie on the rays from
// the pivot through those points: a reading against the painted dial is the reading the host
// gives.

#include "artwork.h"
#include "font.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>

namespace qx::art {
namespace {

constexpr int face_width = 272;
constexpr int face_height = 271;

struct Point {
    double x;
    double y;
};

struct Pixel {
    int x;
    int y;
};

// Pixel (x, y) has its centre at (x + 0.5, y + 0.5) in drawing coordinates.
constexpr Point pixel_centre(Pixel p) {
    return {p.x + 0.5, p.y + 0.5};
}

constexpr Point dial_centre = pixel_centre({139, 136});
constexpr Point hour_pivot = pixel_centre({139, 135});

// Where the hour hand points at 1 to 12 o'clock and the minute hand at every fifth minute.
constexpr std::array<Pixel, 12> hour_points{{{192, 35},
                                             {229, 78},
                                             {245, 133},
                                             {231, 186},
                                             {192, 226},
                                             {136, 245},
                                             {76, 232},
                                             {37, 190},
                                             {31, 133},
                                             {40, 77},
                                             {85, 45},
                                             {133, 19}}};
constexpr std::array<Pixel, 13> minute_points{{{136, 21},
                                               {192, 35},
                                               {228, 81},
                                               {242, 133},
                                               {227, 185},
                                               {191, 225},
                                               {136, 236},
                                               {84, 223},
                                               {46, 185},
                                               {33, 133},
                                               {45, 79},
                                               {84, 43},
                                               {133, 18}}};

constexpr Rgb dial_blue{0, 15, 40};
constexpr Rgb sub_dial_blue{0, 9, 27};
constexpr Rgb marking{236, 234, 222};
constexpr Rgb hand_ground{24, 24, 24};
constexpr Rgb hand_light{222, 223, 226};
constexpr Rgb hand_shade{168, 170, 176};
constexpr Rgb hand_edge{96, 97, 102};

constexpr double bezel_outer = 132.0;
constexpr double bezel_inner = 124.0;
constexpr double track_outer = 121.0;
constexpr double minor_tick_inner = 116.5;
constexpr double major_tick_inner = 112.5;
constexpr double numeral_outer = 108.5;

constexpr double degrees_to_radians = std::numbers::pi / 180.0;

// Clockwise angle from twelve o'clock, in degrees, of pixel `p` seen from `centre`.
double bearing(Point centre, Pixel p) {
    const Point c = pixel_centre(p);
    return std::atan2(c.x - centre.x, centre.y - c.y) / degrees_to_radians;
}

Point polar(Point centre, double degrees, double radius) {
    const double a = degrees * degrees_to_radians;
    return {centre.x + radius * std::sin(a), centre.y - radius * std::cos(a)};
}

// The angle of the minute hand at `minute` (0 to 60): between calibration points it turns
// evenly.
double minute_angle(double minute) {
    const int step = std::min(static_cast<int>(minute / 5.0), 11);
    const double from = bearing(dial_centre, minute_points[step]);
    double to = bearing(dial_centre, minute_points[step + 1]);
    while (to < from) {
        to += 360.0;
    }
    return from + (to - from) * (minute - 5.0 * step) / 5.0;
}

// The twelve o'clock tick sits between the minute hand's angles at 0 and at 60.
double tick_angle(int minute) {
    if (minute == 0) {
        const double at_zero = minute_angle(0.0);
        double at_sixty = minute_angle(60.0);
        while (at_sixty > at_zero + 180.0) {
            at_sixty -= 360.0;
        }
        while (at_sixty < at_zero - 180.0) {
            at_sixty += 360.0;
        }
        return (at_zero + at_sixty) / 2.0;
    }
    return minute_angle(minute);
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

void add_stop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0) {
    cairo_pattern_add_color_stop_rgba(p, offset, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

// A light-from-the-upper-left metal gradient across a disc of radius r about c.
Pattern metal_gradient(Point c, double r, Rgb light, Rgb dark) {
    Pattern p(
        cairo_pattern_create_linear(c.x - 0.7 * r, c.y - 0.7 * r, c.x + 0.7 * r, c.y + 0.7 * r));
    add_stop(p.get(), 0.0, light);
    add_stop(p.get(), 1.0, dark);
    return p;
}

void draw_ground(Canvas& canvas) {
    canvas.set_colour(black);
    cairo_paint(canvas.cr());
}

// A raised metal ring: its outer slope catches the light at the upper left, its inner slope at
// the lower right.
void draw_bezel(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    const Pattern outer = metal_gradient(dial_centre, bezel_outer, {150, 152, 158}, {34, 35, 39});
    cairo_set_source(cr, outer.get());
    circle(cr, dial_centre, bezel_outer);
    cairo_fill(cr);

    const double crest = bezel_outer - 3.5;
    const Pattern inner = metal_gradient(dial_centre, crest, {30, 31, 35}, {128, 130, 136});
    cairo_set_source(cr, inner.get());
    circle(cr, dial_centre, crest);
    cairo_fill(cr);

    canvas.set_colour({196, 198, 204});
    cairo_set_line_width(cr, 0.8);
    cairo_arc(cr, dial_centre.x, dial_centre.y, crest, 190.0 * degrees_to_radians,
              260.0 * degrees_to_radians);
    cairo_stroke(cr);
}

void draw_dial(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    canvas.set_colour(dial_blue);
    circle(cr, dial_centre, bezel_inner);
    cairo_fill(cr);

    // The bezel's shadow along the rim of the dial.
    Pattern shadow(cairo_pattern_create_radial(dial_centre.x, dial_centre.y, bezel_inner - 5.0,
                                               dial_centre.x, dial_centre.y, bezel_inner));
    add_stop(shadow.get(), 0.0, black, 0.0);
    add_stop(shadow.get(), 1.0, black, 0.65);
    cairo_set_source(cr, shadow.get());
    circle(cr, dial_centre, bezel_inner);
    cairo_fill(cr);
}

void draw_minute_track(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    canvas.set_colour(marking);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_width(cr, 0.9);
    circle(cr, dial_centre, track_outer + 0.45);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 0.6);
    circle(cr, dial_centre, minor_tick_inner + 0.3);
    cairo_stroke(cr);

    for (int minute = 0; minute < 60; ++minute) {
        const bool major = minute % 5 == 0;
        cairo_set_line_width(cr, major ? 2.6 : 1.1);
        radial_line(cr, dial_centre, tick_angle(minute),
                    major ? major_tick_inner : minor_tick_inner, track_outer);
        cairo_stroke(cr);
    }
}

// Numerals stand upright, each pushed out along its hour's ray until its ink touches the circle
// of radius `numeral_outer`.
void draw_numerals(Canvas& canvas, const Font& font) {
    cairo_t* cr = canvas.cr();
    font.select(cr, 21.0);
    canvas.set_colour(marking);
    for (int hour = 1; hour <= 12; ++hour) {
        const std::string text = std::to_string(hour);
        const double angle = bearing(hour_pivot, hour_points[hour - 1]);
        const TextSize size = ink_size(cr, text);
        const double reach = std::abs(std::sin(angle * degrees_to_radians)) * size.width / 2.0 +
                             std::abs(std::cos(angle * degrees_to_radians)) * size.height / 2.0;
        const Point at = polar(hour_pivot, angle, numeral_outer - reach);
        centred_text_path(cr, text, at.x, at.y);
        cairo_fill(cr);
    }
}

struct SubDial {
    Point centre;
    // At three, six and nine o'clock; the register's hand rests at the top.
    std::array<const char*, 3> labels;
};

constexpr double sub_dial_radius = 24.0;

void draw_sub_dial(Canvas& canvas, const Font& font, const SubDial& dial) {
    cairo_t* cr = canvas.cr();
    const Point c = dial.centre;

    const Pattern rim = metal_gradient(c, sub_dial_radius + 1.5, {8, 10, 16}, {120, 124, 134});
    cairo_set_source(cr, rim.get());
    circle(cr, c, sub_dial_radius + 1.5);
    cairo_fill(cr);
    canvas.set_colour(sub_dial_blue);
    circle(cr, c, sub_dial_radius);
    cairo_fill(cr);

    canvas.set_colour(marking);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    for (int tick = 0; tick < 24; ++tick) {
        const bool major = tick % 6 == 0;
        cairo_set_line_width(cr, major ? 1.6 : 0.8);
        radial_line(cr, c, tick * 15.0, sub_dial_radius - (major ? 5.0 : 3.0),
                    sub_dial_radius - 0.5);
        cairo_stroke(cr);
    }

    font.select(cr, 8.0);
    for (int i = 0; i < 3; ++i) {
        const double angle = (i + 1) * 90.0;
        const TextSize size = ink_size(cr, dial.labels[i]);
        const double reach = std::abs(std::sin(angle * degrees_to_radians)) * size.width / 2.0 +
                             std::abs(std::cos(angle * degrees_to_radians)) * size.height / 2.0;
        const Point at = polar(c, angle, sub_dial_radius - 7.5 - reach);
        centred_text_path(cr, dial.labels[i], at.x, at.y);
        cairo_fill(cr);
    }

    // The register's own hand.
    canvas.set_colour({214, 216, 220});
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, c.x, c.y + 4.0);
    cairo_line_to(cr, c.x, c.y - sub_dial_radius + 3.0);
    cairo_stroke(cr);
    canvas.set_colour({150, 152, 158});
    circle(cr, c, 2.2);
    cairo_fill(cr);
}

void draw_hub(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    const Point c = dial_centre;
    canvas.set_colour({12, 12, 16});
    circle(cr, c, 10.0);
    cairo_fill(cr);
    Pattern cap(cairo_pattern_create_radial(c.x - 3.0, c.y - 3.0, 0.5, c.x, c.y, 9.0));
    add_stop(cap.get(), 0.0, {222, 223, 227});
    add_stop(cap.get(), 0.55, {150, 151, 157});
    add_stop(cap.get(), 1.0, {82, 83, 89});
    cairo_set_source(cr, cap.get());
    circle(cr, c, 8.8);
    cairo_fill(cr);
    canvas.set_colour({60, 61, 66});
    circle(cr, c, 2.0);
    cairo_fill(cr);
}

// A knurled setting knob seen from the front, seated in a dark bushing.
void draw_knob(Canvas& canvas, Point c) {
    cairo_t* cr = canvas.cr();
    constexpr double bushing = 19.0;
    constexpr double outer = 17.0;
    constexpr double root = 15.0;
    constexpr int ridges = 24;

    const Pattern seat = metal_gradient(c, bushing, {16, 16, 18}, {70, 71, 76});
    cairo_set_source(cr, seat.get());
    circle(cr, c, bushing);
    cairo_fill(cr);

    cairo_new_path(cr);
    for (int i = 0; i < 2 * ridges; ++i) {
        const Point p = polar(c, i * 180.0 / ridges, i % 2 == 0 ? outer : root);
        cairo_line_to(cr, p.x, p.y);
    }
    cairo_close_path(cr);
    const Pattern knurl = metal_gradient(c, outer, {176, 178, 184}, {46, 47, 52});
    cairo_set_source(cr, knurl.get());
    cairo_fill(cr);

    const Pattern cap_rim = metal_gradient(c, 12.5, {60, 61, 66}, {190, 192, 198});
    cairo_set_source(cr, cap_rim.get());
    circle(cr, c, 12.5);
    cairo_fill(cr);
    Pattern cap(cairo_pattern_create_radial(c.x - 4.0, c.y - 4.0, 1.0, c.x, c.y, 11.5));
    add_stop(cap.get(), 0.0, {200, 202, 208});
    add_stop(cap.get(), 1.0, {78, 79, 85});
    cairo_set_source(cr, cap.get());
    circle(cr, c, 11.0);
    cairo_fill(cr);
}

Artwork draw_face() {
    Canvas canvas(face_width, face_height);
    const Font numerals("Liberation Sans Narrow", "Bold");
    const Font small("DejaVu Sans", "Bold");

    draw_ground(canvas);
    draw_bezel(canvas);
    draw_dial(canvas);
    draw_minute_track(canvas);
    draw_numerals(canvas, numerals);
    draw_sub_dial(canvas, small, {{dial_centre.x, dial_centre.y - 48.0}, {"15", "30", "45"}});
    draw_sub_dial(canvas, small, {{dial_centre.x, dial_centre.y + 48.0}, {"3", "6", "9"}});
    draw_hub(canvas);
    draw_knob(canvas, {26.0, 245.0});
    draw_knob(canvas, {253.0, 245.0});
    return {"face.bmp", std::move(canvas)};
}

// A pointed hand drawn to the right: it leaves the bitmap's left edge `base` pixels either side
// of its centre line, widens to `shoulder` at `shoulder_x` and closes to a point at the right
// edge. The upper facet is lit, the lower one in shade.
struct HandShape {
    const char* file_name;
    int width;
    int height;
    int centre_row;
    double base;
    double shoulder_x;
    double shoulder;
};

Artwork draw_pointed_hand(const HandShape& hand) {
    Canvas canvas(hand.width, hand.height);
    cairo_t* cr = canvas.cr();
    canvas.set_colour(hand_ground);
    cairo_paint(cr);

    const double y = hand.centre_row + 0.5;
    const double tip = hand.width - 0.4;
    cairo_move_to(cr, 0.0, y - hand.base);
    cairo_line_to(cr, hand.shoulder_x, y - hand.shoulder);
    cairo_line_to(cr, tip, y);
    cairo_line_to(cr, hand.shoulder_x, y + hand.shoulder);
    cairo_line_to(cr, 0.0, y + hand.base);
    cairo_close_path(cr);
    canvas.set_colour(hand_edge);
    cairo_fill(cr);

    const double inset = 0.7;
    cairo_move_to(cr, 0.0, y - hand.base + inset);
    cairo_line_to(cr, hand.shoulder_x, y - hand.shoulder + inset);
    cairo_line_to(cr, tip - 2.0 * inset, y);
    cairo_line_to(cr, 0.0, y);
    cairo_close_path(cr);
    canvas.set_colour(hand_light);
    cairo_fill(cr);

    cairo_move_to(cr, 0.0, y);
    cairo_line_to(cr, tip - 2.0 * inset, y);
    cairo_line_to(cr, hand.shoulder_x, y + hand.shoulder - inset);
    cairo_line_to(cr, 0.0, y + hand.base - inset);
    cairo_close_path(cr);
    canvas.set_colour(hand_shade);
    cairo_fill(cr);
    return {hand.file_name, std::move(canvas)};
}

// A one-pixel line along the bitmap's bottom row that narrows to a point at the right end.
Artwork draw_second_hand() {
    constexpr int width = 102;
    constexpr int height = 4;
    constexpr int row = 3;
    Canvas canvas(width, height);
    cairo_t* cr = canvas.cr();
    canvas.set_colour(hand_ground);
    cairo_paint(cr);

    const double taper_from = width - 8.0;
    cairo_move_to(cr, 0.0, row);
    cairo_line_to(cr, taper_from, row);
    cairo_line_to(cr, width - 0.3, row + 0.5);
    cairo_line_to(cr, taper_from, row + 1.0);
    cairo_line_to(cr, 0.0, row + 1.0);
    cairo_close_path(cr);
    canvas.set_colour(hand_light);
    cairo_fill(cr);
    return {"second_hand.bmp", std::move(canvas)};
}

} // namespace

std::vector<Artwork> draw_classic_timepiece() {
    std::vector<Artwork> art;
    art.push_back(draw_face());
    art.push_back(draw_pointed_hand({"hour_hand.bmp", 74, 13, 7, 3.0, 50.0, 5.2}));
    art.push_back(draw_pointed_hand({"minute_hand.bmp", 104, 9, 5, 1.8, 70.0, 3.1}));
    art.push_back(draw_second_hand());
    return art;
}

} // namespace qx::art
