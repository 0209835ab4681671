// Bitmaps of the radio altimeter: the dial, the white height pointer, the orange bug, and the
// two pictures of the test flag (all black, and the red flag).
//
// Both needles turn about (153, 164) on the dial, below the middle of the square face, so the
// round dial is centred there rather than on the face. The scale marks and numerals lie on the
// rays from that pivot through the height pointer's calibration points; between two points the
// needle turns evenly, and the minor marks are placed the same way. The flag shows through a
// window in the dial that lies inside the flag icon's picture, clear of the numerals.

#include "artwork.h"
#include "font.h"

#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>

namespace qx::art {
namespace {

constexpr int dial_size = 307;

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

constexpr Pixel pivot_pixel{153, 164};
constexpr Point pivot = pixel_centre(pivot_pixel);

// Where the height pointer points, and at how many feet.
struct ScalePoint {
    Pixel at;
    double feet;
};
constexpr std::array<ScalePoint, 10> scale_points{{{{153, 64}, 0},
                                                   {{206, 81}, 100},
                                                   {{242, 124}, 200},
                                                   {{248, 180}, 300},
                                                   {{223, 230}, 400},
                                                   {{174, 257}, 500},
                                                   {{93, 242}, 1000},
                                                   {{58, 180}, 1500},
                                                   {{66, 127}, 2000},
                                                   {{76, 101}, 2500}}};

// The flag icon's picture lies at (160, 55) on the dial; the window it shows through.
constexpr Pixel flag_origin{160, 55};
constexpr int flag_width = 53;
constexpr int flag_height = 61;
constexpr Pixel window_corner{162, 91};
constexpr int window_width = 28;
constexpr int window_height = 24;

// The bug knob: its two halves are the click areas either side of x = 244.
constexpr Point knob_centre{244.5, 266.5};

constexpr Rgb ground_black{0, 0, 0};
constexpr Rgb case_grey{44, 46, 50};
constexpr Rgb dial_black{16, 17, 19};
constexpr Rgb marking{238, 238, 232};
constexpr Rgb legend_grey{190, 192, 196};
constexpr Rgb window_dark{9, 9, 10};
constexpr Rgb pointer_white{246, 246, 242};
constexpr Rgb pointer_edge{150, 152, 156};
constexpr Rgb bug_orange{255, 136, 0};
constexpr Rgb bug_edge{176, 76, 0};
constexpr Rgb flag_red{214, 34, 26};
constexpr Rgb flag_light{240, 88, 74};
constexpr Rgb flag_shade{150, 18, 14};

constexpr double case_corner = 16.0;
constexpr double bezel_outer = 134.0;
constexpr double bezel_inner = 123.0;
constexpr double tick_outer = 107.0;
constexpr double major_tick_inner = 97.0;
constexpr double minor_tick_inner = 101.5;
constexpr double numeral_outer = 91.0;
constexpr double boss_radius = 11.0;

constexpr double degrees_to_radians = std::numbers::pi / 180.0;

// Clockwise angle from straight up, in degrees, of pixel `p` seen from the pivot, in [0, 360).
double bearing(Pixel p) {
    const Point c = pixel_centre(p);
    const double degrees = std::atan2(c.x - pivot.x, pivot.y - c.y) / degrees_to_radians;
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

Point polar(Point centre, double degrees, double radius) {
    const double a = degrees * degrees_to_radians;
    return {centre.x + radius * std::sin(a), centre.y - radius * std::cos(a)};
}

// The pointer's angle at `feet` (0 to 2500): between calibration points it turns evenly.
double scale_angle(double feet) {
    std::size_t step = 0;
    while (step + 2 < scale_points.size() && feet > scale_points[step + 1].feet) {
        ++step;
    }
    const ScalePoint& from = scale_points[step];
    const ScalePoint& to = scale_points[step + 1];
    const double share = (feet - from.feet) / (to.feet - from.feet);
    return bearing(from.at) + (bearing(to.at) - bearing(from.at)) * share;
}

void circle(cairo_t* cr, Point c, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, c.x, c.y, r, 0.0, 2.0 * std::numbers::pi);
}

void radial_line(cairo_t* cr, double degrees, double from, double to) {
    const Point a = polar(pivot, degrees, from);
    const Point b = polar(pivot, degrees, to);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
}

void rounded_rectangle(cairo_t* cr, double x, double y, double w, double h, double r) {
    constexpr double quarter = std::numbers::pi / 2.0;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -quarter, 0.0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0.0, quarter);
    cairo_arc(cr, x + r, y + h - r, r, quarter, 2.0 * quarter);
    cairo_arc(cr, x + r, y + r, r, 2.0 * quarter, 3.0 * quarter);
    cairo_close_path(cr);
}

struct PatternDeleter {
    void operator()(cairo_pattern_t* p) const { cairo_pattern_destroy(p); }
};
using Pattern = std::unique_ptr<cairo_pattern_t, PatternDeleter>;

void add_stop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0) {
    cairo_pattern_add_color_stop_rgba(p, offset, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

// A light-from-the-upper-left gradient across a disc of radius r about c.
Pattern metal_gradient(Point c, double r, Rgb light, Rgb dark) {
    Pattern p(
        cairo_pattern_create_linear(c.x - 0.7 * r, c.y - 0.7 * r, c.x + 0.7 * r, c.y + 0.7 * r));
    add_stop(p.get(), 0.0, light);
    add_stop(p.get(), 1.0, dark);
    return p;
}

// The instrument case: a square plate with rounded corners on pure black, lit from the upper
// left. The lower-left corner, where the test button is, carries nothing.
void draw_case(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    canvas.set_colour(ground_black);
    cairo_paint(cr);
    canvas.set_colour(case_grey);
    rounded_rectangle(cr, 0.0, 0.0, dial_size, dial_size, case_corner);
    cairo_fill(cr);

    Pattern sheen(cairo_pattern_create_linear(0.0, 0.0, dial_size, dial_size));
    add_stop(sheen.get(), 0.0, {255, 255, 255}, 0.10);
    add_stop(sheen.get(), 1.0, ground_black, 0.25);
    cairo_set_source(cr, sheen.get());
    rounded_rectangle(cr, 0.5, 0.5, dial_size - 1.0, dial_size - 1.0, case_corner - 0.5);
    cairo_fill(cr);

    canvas.set_colour({84, 86, 92});
    cairo_set_line_width(cr, 1.0);
    rounded_rectangle(cr, 1.5, 1.5, dial_size - 3.0, dial_size - 3.0, case_corner - 1.5);
    cairo_stroke(cr);
}

// A slotted mounting screw.
void draw_screw(Canvas& canvas, Point c, double slot_degrees) {
    cairo_t* cr = canvas.cr();
    constexpr double radius = 7.0;
    const Pattern rim = metal_gradient(c, radius + 1.0, {16, 16, 18}, {96, 98, 104});
    cairo_set_source(cr, rim.get());
    circle(cr, c, radius + 1.0);
    cairo_fill(cr);
    const Pattern head = metal_gradient(c, radius, {170, 172, 178}, {62, 63, 68});
    cairo_set_source(cr, head.get());
    circle(cr, c, radius);
    cairo_fill(cr);
    canvas.set_colour({24, 24, 27});
    cairo_set_line_width(cr, 1.6);
    const Point a = polar(c, slot_degrees, radius - 1.0);
    const Point b = polar(c, slot_degrees + 180.0, radius - 1.0);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_stroke(cr);
}

// A raised metal ring about the pivot, and the matt black dial inside it.
void draw_bezel_and_dial(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    Pattern shadow(cairo_pattern_create_radial(pivot.x + 2.0, pivot.y + 3.0, bezel_outer - 2.0,
                                               pivot.x + 2.0, pivot.y + 3.0, bezel_outer + 4.0));
    add_stop(shadow.get(), 0.0, ground_black, 0.55);
    add_stop(shadow.get(), 1.0, ground_black, 0.0);
    cairo_set_source(cr, shadow.get());
    circle(cr, {pivot.x + 2.0, pivot.y + 3.0}, bezel_outer + 4.0);
    cairo_fill(cr);

    const Pattern outer = metal_gradient(pivot, bezel_outer, {164, 166, 172}, {30, 31, 35});
    cairo_set_source(cr, outer.get());
    circle(cr, pivot, bezel_outer);
    cairo_fill(cr);
    const double crest = bezel_outer - 4.0;
    const Pattern inner = metal_gradient(pivot, crest, {28, 29, 33}, {136, 138, 144});
    cairo_set_source(cr, inner.get());
    circle(cr, pivot, crest);
    cairo_fill(cr);
    canvas.set_colour({206, 208, 214});
    cairo_set_line_width(cr, 0.8);
    cairo_arc(cr, pivot.x, pivot.y, crest, 190.0 * degrees_to_radians, 260.0 * degrees_to_radians);
    cairo_stroke(cr);

    canvas.set_colour(dial_black);
    circle(cr, pivot, bezel_inner);
    cairo_fill(cr);
    Pattern rim_shadow(cairo_pattern_create_radial(pivot.x, pivot.y, bezel_inner - 6.0, pivot.x,
                                                   pivot.y, bezel_inner));
    add_stop(rim_shadow.get(), 0.0, ground_black, 0.0);
    add_stop(rim_shadow.get(), 1.0, ground_black, 0.7);
    cairo_set_source(cr, rim_shadow.get());
    circle(cr, pivot, bezel_inner);
    cairo_fill(cr);
}

// Marks every 50 feet up to 500, every 100 up to 1000 and every 250 up to 2500; the labelled
// heights get long marks.
void draw_scale_marks(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    canvas.set_colour(marking);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    for (int feet = 0; feet <= 2500;) {
        const bool major = feet <= 500 ? feet % 100 == 0 : feet % 500 == 0;
        cairo_set_line_width(cr, major ? 2.8 : 1.4);
        radial_line(cr, scale_angle(feet), major ? major_tick_inner : minor_tick_inner, tick_outer);
        cairo_stroke(cr);
        feet += feet < 500 ? 50 : feet < 1000 ? 100 : 250;
    }
}

// Numerals in hundreds of feet stand upright, each pushed out along its mark's ray until its
// ink touches the circle of radius `numeral_outer`.
void draw_numerals(Canvas& canvas, const Font& font) {
    cairo_t* cr = canvas.cr();
    font.select(cr, 20.0);
    canvas.set_colour(marking);
    for (const ScalePoint& point : scale_points) {
        const std::string text = std::to_string(static_cast<int>(point.feet) / 100);
        const double angle = bearing(point.at);
        const TextSize size = ink_size(cr, text);
        const double reach = std::abs(std::sin(angle * degrees_to_radians)) * size.width / 2.0 +
                             std::abs(std::cos(angle * degrees_to_radians)) * size.height / 2.0;
        const Point at = polar(pivot, angle, numeral_outer - reach);
        centred_text_path(cr, text, at.x, at.y);
        cairo_fill(cr);
    }
}

void draw_legend(Canvas& canvas, const Font& font) {
    cairo_t* cr = canvas.cr();
    canvas.set_colour(legend_grey);
    font.select(cr, 10.0);
    centred_text_path(cr, "RAD ALT", pivot.x - 34.0, pivot.y - 22.0);
    cairo_fill(cr);
    font.select(cr, 9.0);
    centred_text_path(cr, "FEET", pivot.x, pivot.y + 36.0);
    cairo_fill(cr);
    centred_text_path(cr, "\u00d7100", pivot.x, pivot.y + 48.0);
    cairo_fill(cr);
}

// The dark window in which the red flag appears, with a thin metal frame.
void draw_flag_window(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    const double x = window_corner.x;
    const double y = window_corner.y;
    canvas.set_colour({78, 80, 86});
    cairo_rectangle(cr, x - 1.0, y - 1.0, window_width + 2.0, window_height + 2.0);
    cairo_fill(cr);
    canvas.set_colour(window_dark);
    cairo_rectangle(cr, x, y, window_width, window_height);
    cairo_fill(cr);
    canvas.set_colour({30, 30, 33});
    cairo_set_line_width(cr, 1.0);
    cairo_move_to(cr, x, y + 0.5);
    cairo_line_to(cr, x + window_width, y + 0.5);
    cairo_stroke(cr);
}

// The raised boss under the pointer's root; the bug's cap covers its middle.
void draw_boss(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    const Pattern boss = metal_gradient(pivot, boss_radius, {92, 94, 100}, {20, 20, 23});
    cairo_set_source(cr, boss.get());
    circle(cr, pivot, boss_radius);
    cairo_fill(cr);
}

// The bug knob, knurled, seated in a dark bushing that overlaps the bezel, with an orange index
// on its cap in the bug's colour.
void draw_knob(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    const Point c = knob_centre;
    constexpr double bushing = 27.0;
    constexpr double outer = 24.5;
    constexpr double root = 22.5;
    constexpr int ridges = 36;

    Pattern shadow(cairo_pattern_create_radial(c.x + 2.0, c.y + 3.0, bushing - 2.0, c.x + 2.0,
                                               c.y + 3.0, bushing + 3.0));
    add_stop(shadow.get(), 0.0, ground_black, 0.6);
    add_stop(shadow.get(), 1.0, ground_black, 0.0);
    cairo_set_source(cr, shadow.get());
    circle(cr, {c.x + 2.0, c.y + 3.0}, bushing + 3.0);
    cairo_fill(cr);

    const Pattern seat = metal_gradient(c, bushing, {18, 18, 20}, {76, 77, 82});
    cairo_set_source(cr, seat.get());
    circle(cr, c, bushing);
    cairo_fill(cr);

    cairo_new_path(cr);
    for (int i = 0; i < 2 * ridges; ++i) {
        const Point p = polar(c, i * 180.0 / ridges, i % 2 == 0 ? outer : root);
        cairo_line_to(cr, p.x, p.y);
    }
    cairo_close_path(cr);
    const Pattern knurl = metal_gradient(c, outer, {180, 182, 188}, {40, 41, 46});
    cairo_set_source(cr, knurl.get());
    cairo_fill(cr);

    const Pattern cap_rim = metal_gradient(c, 18.0, {56, 57, 62}, {196, 198, 204});
    cairo_set_source(cr, cap_rim.get());
    circle(cr, c, 18.0);
    cairo_fill(cr);
    Pattern cap(cairo_pattern_create_radial(c.x - 6.0, c.y - 6.0, 1.0, c.x, c.y, 17.0));
    add_stop(cap.get(), 0.0, {204, 206, 212});
    add_stop(cap.get(), 1.0, {70, 71, 77});
    cairo_set_source(cr, cap.get());
    circle(cr, c, 16.5);
    cairo_fill(cr);

    // A small orange bug index on the cap, as on the bug itself.
    canvas.set_colour(bug_orange);
    cairo_move_to(cr, c.x, c.y - 8.0);
    cairo_line_to(cr, c.x - 4.0, c.y - 14.5);
    cairo_line_to(cr, c.x + 4.0, c.y - 14.5);
    cairo_close_path(cr);
    cairo_fill(cr);
}

Artwork draw_dial() {
    Canvas canvas(dial_size, dial_size);
    const Font numerals("Liberation Sans Narrow", "Bold");
    const Font small("DejaVu Sans", "Bold");

    draw_case(canvas);
    draw_screw(canvas, {22.0, 22.0}, 35.0);
    draw_screw(canvas, {dial_size - 22.0, 22.0}, 120.0);
    draw_bezel_and_dial(canvas);
    draw_scale_marks(canvas);
    draw_numerals(canvas, numerals);
    draw_legend(canvas, small);
    draw_flag_window(canvas);
    draw_boss(canvas);
    draw_knob(canvas);
    return {"dial.bmp", std::move(canvas)};
}

// The white height pointer, drawn to the right from its pivot at (3, 9): a straight bar that
// closes to a point at the bitmap's right edge.
Artwork draw_height_pointer() {
    constexpr int width = 100;
    constexpr int height = 17;
    constexpr Point root = pixel_centre({3, 9});
    constexpr double half_width = 2.8;
    constexpr double taper_from = 80.0;
    Canvas canvas(width, height);
    cairo_t* cr = canvas.cr();
    canvas.set_colour(ground_black);
    cairo_paint(cr);

    const double tip = width - 0.3;
    cairo_move_to(cr, 0.0, root.y - half_width);
    cairo_line_to(cr, taper_from, root.y - half_width);
    cairo_line_to(cr, tip, root.y);
    cairo_line_to(cr, taper_from, root.y + half_width);
    cairo_line_to(cr, 0.0, root.y + half_width);
    cairo_close_path(cr);
    canvas.set_colour(pointer_edge);
    cairo_fill(cr);

    constexpr double inset = 0.8;
    cairo_move_to(cr, 0.0, root.y - half_width + inset);
    cairo_line_to(cr, taper_from, root.y - half_width + inset);
    cairo_line_to(cr, tip - 3.0 * inset, root.y);
    cairo_line_to(cr, taper_from, root.y + half_width - inset);
    cairo_line_to(cr, 0.0, root.y + half_width - inset);
    cairo_close_path(cr);
    canvas.set_colour(pointer_white);
    cairo_fill(cr);
    return {"height_pointer.bmp", std::move(canvas)};
}

// The bug, drawn to the right from its pivot at (12, 9): an orange triangle at the outer end,
// just beyond the scale marks, pointing in at the scale; and the round cap over the pivot that
// covers the roots of both needles. The cap is shaded in rings only, so it looks the same at
// every angle.
Artwork draw_bug() {
    constexpr int width = 130;
    constexpr int height = 22;
    constexpr Point root = pixel_centre({12, 9});
    constexpr double apex_x = 120.0;
    constexpr double half_base = 6.5;
    Canvas canvas(width, height);
    cairo_t* cr = canvas.cr();
    canvas.set_colour(ground_black);
    cairo_paint(cr);

    const double base_x = width - 0.4;
    cairo_move_to(cr, apex_x, root.y);
    cairo_line_to(cr, base_x, root.y - half_base);
    cairo_line_to(cr, base_x, root.y + half_base);
    cairo_close_path(cr);
    canvas.set_colour(bug_edge);
    cairo_fill(cr);
    cairo_move_to(cr, apex_x + 1.8, root.y);
    cairo_line_to(cr, base_x - 0.9, root.y - half_base + 1.3);
    cairo_line_to(cr, base_x - 0.9, root.y + half_base - 1.3);
    cairo_close_path(cr);
    canvas.set_colour(bug_orange);
    cairo_fill(cr);

    canvas.set_colour({120, 122, 128});
    circle(cr, root, 8.0);
    cairo_fill(cr);
    canvas.set_colour({38, 39, 43});
    circle(cr, root, 6.6);
    cairo_fill(cr);
    canvas.set_colour({74, 75, 80});
    circle(cr, root, 4.2);
    cairo_fill(cr);
    canvas.set_colour({150, 152, 158});
    circle(cr, root, 1.6);
    cairo_fill(cr);
    return {"bug.bmp", std::move(canvas)};
}

// Flag picture 0: nothing to show, entirely black.
Artwork draw_flag_off() {
    Canvas canvas(flag_width, flag_height);
    canvas.set_colour(ground_black);
    cairo_paint(canvas.cr());
    return {"flag_off.bmp", std::move(canvas)};
}

// Flag picture 1: a red plate that fills the dial's window, lit along its top and left edges.
Artwork draw_flag_on() {
    Canvas canvas(flag_width, flag_height);
    cairo_t* cr = canvas.cr();
    canvas.set_colour(ground_black);
    cairo_paint(cr);

    const double x = window_corner.x - flag_origin.x;
    const double y = window_corner.y - flag_origin.y;
    canvas.set_colour(flag_shade);
    cairo_rectangle(cr, x, y, window_width, window_height);
    cairo_fill(cr);
    canvas.set_colour(flag_light);
    cairo_rectangle(cr, x, y, window_width - 1.0, window_height - 1.0);
    cairo_fill(cr);
    canvas.set_colour(flag_red);
    cairo_rectangle(cr, x + 1.0, y + 1.0, window_width - 2.0, window_height - 2.0);
    cairo_fill(cr);
    return {"flag_on.bmp", std::move(canvas)};
}

} // namespace

std::vector<Artwork> draw_liner_groundclear() {
    std::vector<Artwork> art;
    art.push_back(draw_dial());
    art.push_back(draw_height_pointer());
    art.push_back(draw_bug());
    art.push_back(draw_flag_off());
    art.push_back(draw_flag_on());
    return art;
}

} // namespace qx::art
