#include "image_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace host {

double strip_offset(double value, double first_bound, double second_bound, int window_size,
                    int strip_size) {
    const double span = second_bound - first_bound;
    if (std::isnan(value) || !(span != 0.0) || !std::isfinite(span)) {
        return 0.0;
    }
    const double along = std::clamp((value - first_bound) / span, 0.0, 1.0);
    return along * (window_size - strip_size);
}

double scaled_shift(double value, double scale) {
    const double shift = value * scale;
    if (!std::isfinite(shift)) {
        return 0.0;
    }
    return std::clamp(shift, -max_shift, max_shift);
}

double sprite_turn(double value, double scale_0) {
    const double degrees = value * scale_0;
    if (!std::isfinite(degrees)) {
        return 0.0;
    }
    return -std::remainder(degrees, 360.0) * std::numbers::pi / 180.0;
}

double texture_scale(float stored) {
    if (!std::isfinite(stored) || stored == 0.0f) {
        return 1.0;
    }
    const double size = std::clamp(std::abs(static_cast<double>(stored)), 1.0 / 64.0, 64.0);
    return stored < 0.0f ? -size : size;
}

int icon_picture(double value, int num_icons) {
    if (num_icons < 1) {
        return -1;
    }
    if (std::isnan(value)) {
        return 0;
    }
    const double whole = std::clamp(std::trunc(value), 0.0, static_cast<double>(num_icons - 1));
    return static_cast<int>(whole);
}

} // namespace host
