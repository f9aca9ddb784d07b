#include "plot/PlotCsv.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace quelda {

namespace {

void AppendNumber(std::string& out, const char* format, double v) {
    char text[40];
    const int n = std::snprintf(text, sizeof text, format, v);
    if (n > 0) out.append(text, static_cast<std::size_t>(n));
}

}  // namespace

std::string PlotCsv(const std::vector<const CSampleRing*>& series,
                    const std::vector<std::string>& names, double t0, double t1) {
    std::string out = "time (s)";
    for (const std::string& name : names) out += "," + name;
    out += "\r\n";
    std::vector<std::size_t> next(series.size());
    std::vector<std::size_t> end(series.size());
    for (std::size_t s = 0; s < series.size(); ++s) {
        next[s] = series[s]->LowerBound(t0);
        // t1 itself belongs to the span
        end[s] = series[s]->LowerBound(std::nextafter(t1, std::numeric_limits<double>::max()));
    }
    for (;;) {
        double t = std::numeric_limits<double>::infinity();
        for (std::size_t s = 0; s < series.size(); ++s) {
            if (next[s] < end[s]) t = std::min(t, series[s]->At(next[s]).time);
        }
        if (t == std::numeric_limits<double>::infinity()) return out;
        AppendNumber(out, "%.6f", t);
        for (std::size_t s = 0; s < series.size(); ++s) {
            out += ',';
            if (next[s] >= end[s] || series[s]->At(next[s]).time != t) continue;
            AppendNumber(out, "%.15g", series[s]->At(next[s]).value);
            ++next[s];
        }
        out += "\r\n";
    }
}

}  // namespace quelda
