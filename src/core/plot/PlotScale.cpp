#include "plot/PlotScale.h"

#include <algorithm>
#include <cmath>

namespace quelda {

AxisRange FitRange(double min, double max) {
    if (!(min <= max)) return {-1.0, 1.0};
    min = std::clamp(min, -kAxisLimit, kAxisLimit);
    max = std::clamp(max, -kAxisLimit, kAxisLimit);
    double pad = (max - min) * 0.05;
    if (pad == 0.0) pad = std::max(std::fabs(max) * 0.05, 1e-9);
    return {std::max(min - pad, -kAxisLimit * 1.1), std::min(max + pad, kAxisLimit * 1.1)};
}

std::vector<int> AxisSides(const std::vector<double>& magnitudes) {
    double largest = 0.0;
    for (double m : magnitudes) {
        if (std::isfinite(m)) largest = std::max(largest, m);
    }
    std::vector<int> sides;
    sides.reserve(magnitudes.size());
    for (double m : magnitudes) sides.push_back(std::isfinite(m) && m * 100.0 < largest ? 1 : 0);
    return sides;
}

}  // namespace quelda
