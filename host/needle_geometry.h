// Where a needle points: its calibration table turned into angles about its pivot.
#pragma once

#include "host_contract.h"

#include <span>
#include <vector>

namespace host {

// Angles are in radians on the screen, measured from pointing right and growing clockwise
// (the screen's y axis points down), so that a bitmap drawn pointing right is turned by
// exactly this angle.
class NeedleCalibration {
  public:
    // `pivot` is the needle's position on the gauge; `rows` its calibration table. Needs at
    // least one row.
    NeedleCalibration(PIXPOINT pivot, std::span<const NONLINEARITY> rows);

    // The angle at which the needle points for `value`.
    double angle(double value) const;

    // Each row's angle, unwrapped.
    const std::vector<double>& row_angles() const { return angles_; }

  private:
    std::vector<double> values_;
    std::vector<double> angles_;
};

} // namespace host
