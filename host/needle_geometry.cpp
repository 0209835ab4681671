#include "needle_geometry.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace host {

namespace {

constexpr double full_turn = 2.0 * std::numbers::pi;

// The direction from the pivot to a point. Both are whole pixels, so taking their centres
// changes nothing.
double direction(PIXPOINT pivot, PIXPOINT point) {
    return std::atan2(static_cast<double>(point.y) - pivot.y,
                      static_cast<double>(point.x) - pivot.x);
}

// The angle of `raw` that lies a fraction of a turn beyond `previous`: more than it, and at
// most one turn more.
double unwrapped_beyond(double previous, double raw) {
    double angle = raw + full_turn * (std::floor((previous - raw) / full_turn) + 1.0);
    if (angle <= previous) {
        angle += full_turn;
    }
    return angle;
}

} // namespace

NeedleCalibration::NeedleCalibration(PIXPOINT pivot, std::span<const NONLINEARITY> rows) {
    if (rows.empty()) {
        throw std::invalid_argument("a needle needs at least one calibration point");
    }
    // The rows run clockwise in ascending value: each row's angle is taken as the one that
    // lies beyond the previous row's, so that the needle always turns clockwise from one row to
    // the next, by less than a full turn (by exactly one where two rows share a direction).
    for (const NONLINEARITY& row : rows) {
        const double raw = direction(pivot, row.point);
        values_.push_back(row.value);
        angles_.push_back(angles_.empty() ? raw : unwrapped_beyond(angles_.back(), raw));
    }
}

double NeedleCalibration::angle(double value) const {
    const std::size_t count = values_.size();
    // A value that is not a number (NaN, or an infinity that has no direction) draws the
    // needle at its first row, as does a table of one row.
    if (!std::isfinite(value) || count == 1) {
        return angles_.front();
    }
    // Between two rows the angle is interpolated linearly; beyond either end it is
    // extrapolated along the end segment, so the needle keeps turning at the end rows' rate.
    std::size_t segment = 0;
    if (value >= values_.back()) {
        segment = count - 2;
    } else {
        for (std::size_t i = 1; i + 1 < count && values_[i] <= value; ++i) {
            segment = i;
        }
    }
    const double from = values_[segment];
    const double to = values_[segment + 1];
    if (!(to != from)) {
        return value <= from ? angles_[segment] : angles_[segment + 1];
    }
    const double angle =
        angles_[segment] + (value - from) / (to - from) * (angles_[segment + 1] - angles_[segment]);
    // Far beyond the table the product can overflow; such a value has no direction either.
    return std::isfinite(angle) ? angle : angles_.front();
}

} // namespace host
