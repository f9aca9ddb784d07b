#pragma once
// The samples of a monitor's plotted items: every frame (or block) routed to
// the monitor gives each plotted item one sample, decoded at arrival by the
// item's own rule, at the arrival time. Times are kept in seconds since the
// first sample. A value text that does not read as a number is a gap (NaN);
// an item the frame does not reach gets no sample.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "monitor/MonitorItem.h"
#include "plot/SampleRing.h"

namespace quelda {

class CPlotFeed {
public:
    struct Series {
        std::size_t item;  // index into the monitor's items
        std::unique_ptr<CSampleRing> ring;
    };

    explicit CPlotFeed(std::size_t capacity = CSampleRing::kDefaultCapacity);

    // The whole text (blanks around it aside) is one number; "nan" and
    // "inf" are numbers too (they plot as gaps).
    static bool ReadNumber(const std::string& text, double& out);
    // What the menu offers: nothing shown yet, or a number.
    static bool CanPlot(const MonitorItem& item);

    bool IsPlotted(std::size_t item) const { return Find(item) != nullptr; }
    // Joining starts an empty series; leaving drops its samples.
    void SetPlotted(std::size_t item, bool on);
    // The definition now has count items: series of items beyond it end.
    void KeepItems(std::size_t count);
    const std::vector<Series>& AllSeries() const { return m_series; }
    const Series* Find(std::size_t item) const;
    bool Active() const { return !m_series.empty(); }

    // arrival: seconds on a clock that does not jump (SteadySeconds).
    void TextFrame(const std::vector<MonitorItem>& items, const std::string& frameText,
                   int elementShift, double arrival);
    void Block(const std::vector<MonitorItem>& items, const uint8_t* block, std::size_t length,
               double arrival);

    // Counts every frame that gave samples, so a viewer sees new data.
    uint64_t Generation() const { return m_generation; }
    // The arrival time that is 0 s on the plot; valid once a sample came.
    double Origin() const { return m_origin; }

private:
    double Since(double arrival);
    static void AddText(Series& series, const std::string& text, double t);

    std::size_t m_capacity;
    std::vector<Series> m_series;  // in the order they joined
    std::vector<int> m_seriesOf;   // item index -> series index or -1
    std::string m_scratch;
    uint64_t m_generation = 0;
    bool m_bStarted = false;
    double m_origin = 0.0;
};

// Seconds on the monotonic clock.
double SteadySeconds();

}  // namespace quelda
