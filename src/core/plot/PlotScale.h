#pragma once
// Axis ranges of a plot from the finite values it shows.
#include <vector>

namespace quelda {

struct AxisRange {
    double lower;
    double upper;
};

// Padded by 5 % each side; a flat or empty range gets a span of its own.
// Bounded to +-kAxisLimit, so the span stays finite for any input.
AxisRange FitRange(double min, double max);
constexpr double kAxisLimit = 1e249;

// The axis of each series, from its largest magnitude in view (NaN when it
// shows nothing): 1 (the second axis) for series more than 100 times
// smaller than the largest, 0 for the others.
std::vector<int> AxisSides(const std::vector<double>& magnitudes);

}  // namespace quelda
