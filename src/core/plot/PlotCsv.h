#pragma once
// The CSV text of a plot's visible span: a header ("time (s)" and one name
// per series), then one row per sample time in order; a row takes at most
// one sample of each series at that time, and a series without one there
// leaves its cell empty. Gaps are written as "nan" or "inf".
#include <string>
#include <vector>

#include "plot/SampleRing.h"

namespace quelda {

std::string PlotCsv(const std::vector<const CSampleRing*>& series,
                    const std::vector<std::string>& names, double t0, double t1);

}  // namespace quelda
