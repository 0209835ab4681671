// Where the moving kinds of element put their bitmaps for the values their callbacks return:
// the strip of a moving image, the shift of a slider, the turn and shift of a sprite, and the
// picture of an icon.
#pragma once

namespace host {

// Largest shift in pixels applied to a bitmap, far beyond any gauge: a larger value is held
// there, so that a wild value cannot upset the drawing.
inline constexpr double max_shift = 100000.0;

// The offset of a moving image's strip from its window's top (left) edge on one axis, for
// `value` between the axis's two stored bounds. At the first bound the strip's top (left)
// edge meets the window's, at the second its bottom (right) edge meets the window's, linearly
// between them and held at the ends beyond them. Equal bounds mean no travel, and a NaN value
// holds the strip at the first bound.
double strip_offset(double value, double first_bound, double second_bound, int window_size,
                    int strip_size);

// A value times its scale as a shift in pixels: a result that is not a finite number counts
// as no shift, and a very large one is held at `max_shift`.
double scaled_shift(double value, double scale);

// A sprite's turn for its value and SCALE_0, in radians on the screen as cairo turns
// (clockwise positive): a positive product of value and scale, in degrees, turns the texture
// counter-clockwise. A product that is not a finite number counts as no turn.
double sprite_turn(double value, double scale_0);

// A sprite's texture scale: a stored scale that is zero or not a finite number (a field left
// unset) counts as 1, and any other is held within 1/64 to 64 in size, keeping its sign.
double texture_scale(float stored);

// The picture an icon shows for its value: the value truncated to a whole number and held
// within 0 to `num_icons` - 1; NaN picks picture 0. Returns -1 for an icon without pictures.
int icon_picture(double value, int num_icons);

} // namespace host
